// The module's own definitions, without the program: every preset's button runs an action and
// shows feedbacks the module has, its variables are the ones it defines, and the state's values
// come out as the buttons show them.

const assert = require('node:assert/strict')
const { describe, it } = require('node:test')

const { actionDefinitions } = require('../src/actions')
const { COMMANDS, commandValue } = require('../src/commands')
const { feedbackDefinitions } = require('../src/feedbacks')
const { presetDefinitions } = require('../src/presets')
const { VARIABLES, feedbackOn, variableValues } = require('../src/state')

const state = {
	type: 'state',
	speed: -120,
	coarse: 1,
	running: true,
	position: 500,
	pageBottom: 2000,
	scriptName: 'news.txt',
	queuePosition: 1,
	queueLength: 3,
	elapsed: '00:00:14',
	remaining: '00:09:21',
	mirror: true,
	blackout: false,
	voiceFollowing: false,
	dualDisplay: true,
}

describe('the module', () => {
	it('presets run its actions and show its feedbacks and variables', () => {
		const actions = actionDefinitions(async () => ({ ok: true }))
		const feedbacks = feedbackDefinitions(() => ({ state, connected: true }))
		const variables = new Set(VARIABLES.map((variable) => variable.variableId))
		for (const [id, preset] of Object.entries(presetDefinitions('vantell'))) {
			for (const step of preset.steps)
				for (const action of step.down) assert.ok(actions[action.actionId], `${id}: no action ${action.actionId}`)
			for (const feedback of preset.feedbacks) assert.ok(feedbacks[feedback.feedbackId], `${id}: no feedback ${feedback.feedbackId}`)
			for (const [, variable] of preset.style.text.matchAll(/\$\(vantell:([a-z_]+)\)/g))
				assert.ok(variables.has(variable), `${id}: no variable ${variable}`)
		}
	})

	it('shows the state in its variables, empty before any', () => {
		const values = variableValues(state, true)
		assert.equal(values.speed, -120)
		assert.equal(values.direction, 'backward')
		assert.equal(values.position_percent, 25)
		assert.equal(values.queue_position, 2)
		assert.equal(values.story, '')
		assert.equal(values.over_under, '')
		assert.equal(variableValues(null, false).speed, '')
		assert.equal(variableValues(null, false).connected, false)
		// Told by a program that has them: the story on air, over or under time.
		const told = variableValues({ ...state, story: 'Weather', overUnderMs: -75000 }, true)
		assert.equal(told.story, 'Weather')
		assert.equal(told.over_under, '−01:15')
		assert.equal(variableValues({ ...state, overUnder: '+00:30' }, true).over_under, '+00:30')
	})

	it('lights its feedbacks from the state, never while disconnected', () => {
		assert.equal(feedbackOn('running', {}, state, true), true)
		assert.equal(feedbackOn('running', {}, state, false), false)
		assert.equal(feedbackOn('direction', { direction: 'backward' }, state, true), true)
		assert.equal(feedbackOn('direction', { direction: 'forward' }, state, true), false)
		assert.equal(feedbackOn('story_on_air', { story: '' }, { ...state, story: 'Weather' }, true), true)
		assert.equal(feedbackOn('story_on_air', { story: 'weather' }, { ...state, story: 'Weather' }, true), true)
		assert.equal(feedbackOn('story_on_air', { story: 'Sport' }, { ...state, story: 'Weather' }, true), false)
		assert.equal(feedbackOn('connected', {}, null, true), true)
	})

	it('sends each command its value as the API takes it', () => {
		const named = (name) => COMMANDS.find((command) => command.name === name)
		assert.equal(commandValue(named('speed'), { value: '150' }), 150)
		assert.equal(commandValue(named('queue-entry'), { value: 1 }), 0)
		assert.equal(commandValue(named('marker'), { value: 4 }), 3)
		assert.equal(commandValue(named('mirror'), { state: 'on' }), true)
		assert.equal(commandValue(named('mirror'), { state: 'off' }), false)
		assert.equal(commandValue(named('mirror'), { state: 'toggle' }), undefined)
		assert.equal(commandValue(named('pause'), {}), undefined)
		assert.throws(() => commandValue(named('speed'), { value: 'fast' }))
	})
})
