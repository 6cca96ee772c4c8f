// The module against the real program: started on this computer's loopback, driven through the
// module's actions as Companion runs them, its state followed in the module's variables and
// feedbacks, and found again after the program restarts. VANTELL_PROGRAM names the program;
// without it these tests are skipped.

const assert = require('node:assert/strict')
const { after, before, describe, it } = require('node:test')

const { COMMANDS } = require('../src/commands')
const { FakeCompanion } = require('./fakecompanion')
const { Prompter } = require('./prompter')

const program = process.env.VANTELL_PROGRAM

describe('the Companion module with Vantell', { skip: program ? false : 'VANTELL_PROGRAM is not set' }, () => {
	const prompter = new Prompter(program)
	const companion = new FakeCompanion()

	before(async () => {
		await prompter.start()
		await companion.start({ host: '127.0.0.1', port: prompter.port, token: '' })
		await companion.until(() => companion.status === 'ok', 10000, 'the module did not connect')
	})

	after(async () => {
		await companion.stop()
		await prompter.stop()
		prompter.remove()
	})

	it('offers an action for every command of the control API', async () => {
		const served = await prompter.commands()
		assert.deepEqual(COMMANDS.map((command) => command.name).sort(), [...served].sort())
		const actions = companion.definitions.actions.map((action) => action.id)
		assert.deepEqual(actions.sort(), [...served].sort())
	})

	it('changes the speed and follows it in its variables', async () => {
		const done = await companion.runAction('speed', { value: 150 })
		assert.equal(done.success, true, done.errorMessage)
		await prompter.until((state) => state.speed === 150, 5000, 'the speed did not become 150')
		await companion.until(() => companion.variables.speed === 150, 5000, 'the speed variable did not follow')
		assert.equal(companion.variables.direction, 'forward')
		assert.equal(companion.variables.script, 'news.txt')
		assert.match(String(companion.variables.remaining), /^\d\d(:\d\d)+$/)
	})

	it('runs, reverses and pauses the page, and its feedbacks follow', async () => {
		await companion.followFeedback('running', 'running')
		await companion.followFeedback('backward', 'direction', { direction: 'backward' })
		await companion.runAction('pause')
		await companion.until(() => companion.feedbackValues.running === false, 5000, 'not shown paused')

		assert.equal((await companion.runAction('toggle-pause')).success, true)
		await prompter.until((state) => state.running, 5000, 'the page did not run')
		await companion.until(() => companion.feedbackValues.running === true, 5000, 'the running feedback did not light')
		await companion.until(() => companion.variables.run_state === 'Running', 5000, 'the run state did not follow')

		assert.equal((await companion.runAction('reverse')).success, true)
		await prompter.until((state) => state.speed < 0, 5000, 'the direction did not turn')
		await companion.until(() => companion.feedbackValues.backward === true, 5000, 'the direction feedback did not follow')
		assert.equal(companion.variables.direction, 'backward')

		assert.equal((await companion.runAction('pause')).success, true)
		await prompter.until((state) => !state.running, 5000, 'the page did not pause')
		await companion.until(() => companion.feedbackValues.running === false, 5000, 'the running feedback did not go out')
	})

	it('switches the display on, off and over', async () => {
		await companion.followFeedback('mirror', 'mirror')
		await companion.followFeedback('voice', 'voice_following')
		await companion.runAction('mirror', { state: 'on' })
		await prompter.until((state) => state.mirror, 5000, 'the page was not mirrored')
		await companion.until(() => companion.feedbackValues.mirror === true, 5000, 'the mirror feedback did not light')
		await companion.runAction('mirror', { state: 'on' })
		await companion.runAction('mirror', { state: 'toggle' })
		await prompter.until((state) => !state.mirror, 5000, 'the mirror did not switch over')
		await companion.until(() => companion.feedbackValues.mirror === false, 5000, 'the mirror feedback did not go out')
		// Not on air, a story feedback stays dark; voice following is off until switched on.
		await companion.followFeedback('story', 'story_on_air')
		await companion.until(() => companion.feedbackValues.story === false, 5000, 'no story feedback')
		assert.equal(companion.feedbackValues.voice, false)
		assert.equal(companion.variables.story, '')
	})

	it('counts queue entries from 1 and says why a command cannot be done', async () => {
		const refused = await companion.runAction('queue-entry', { value: 3 })
		assert.equal(refused.success, false)
		assert.match(refused.errorMessage, /queue has no entry 3/)
		const wrong = await companion.runAction('speed', { value: 'fast' })
		assert.equal(wrong.success, false)
	})

	it('sends a script and jumps by lines', async () => {
		const sent = await companion.runAction('script', { name: 'Breaking', text: 'First line\\nSecond line' })
		assert.equal(sent.success, true, sent.errorMessage)
		await companion.until(() => companion.variables.script === 'Breaking', 10000, 'the script variable did not follow')
		assert.equal((await companion.runAction('jump-lines', { value: 1 })).success, true)
	})

	it('finds the program again after it restarts', async () => {
		await companion.followFeedback('connected', 'connected')
		await companion.until(() => companion.feedbackValues.connected === true, 5000, 'not shown connected')
		await prompter.stop()
		await companion.until(() => companion.status === 'connection_failure', 5000, 'the loss was not told')
		await companion.until(() => companion.feedbackValues.connected === false, 5000, 'still shown connected')
		assert.equal(companion.variables.connected, false)
		const refused = await companion.runAction('pause')
		assert.equal(refused.success, false)

		await prompter.start()
		await companion.until(() => companion.status === 'ok', 15000, 'the module did not connect again')
		await companion.until(() => companion.feedbackValues.connected === true, 5000, 'not shown connected again')
		// The new program's state: speed 0, the script from its start.
		await companion.until(() => companion.variables.speed === 0, 5000, 'the variables did not follow the new program')
		assert.equal((await companion.runAction('speed', { value: 90 })).success, true)
		await prompter.until((state) => state.speed === 90, 5000, 'the new program was not driven')
	})
})
