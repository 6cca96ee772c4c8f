// What the prompter's state (the control API's state message) shows on buttons: the variables'
// values and whether each feedback is on. Fields newer programs send (the story on air, over and
// under) are shown when they are there and left empty when not.

function direction(state) {
	return state.speed < 0 ? 'backward' : 'forward'
}

function percent(state) {
	return state.pageBottom > 0 ? Math.round((100 * state.position) / state.pageBottom) : 0
}

// The story on air: a newsroom's story, where the program tells it.
function story(state) {
	const told = state.story ?? state.storyName ?? state.storySlug
	if (typeof told === 'string') return told
	if (told && typeof told === 'object') return String(told.slug ?? told.name ?? '')
	return ''
}

// Over (+) or under (−) the planned time, where the program tells it.
function overUnder(state) {
	if (typeof state.overUnder === 'string') return state.overUnder
	const ms = state.overUnderMs ?? (typeof state.overUnder === 'number' ? state.overUnder : undefined)
	if (typeof ms !== 'number' || !Number.isFinite(ms)) return ''
	const seconds = Math.round(Math.abs(ms) / 1000)
	const clock = `${String(Math.floor(seconds / 60)).padStart(2, '0')}:${String(seconds % 60).padStart(2, '0')}`
	return `${ms < 0 ? '−' : '+'}${clock}`
}

const VARIABLES = [
	{ variableId: 'connected', name: 'Connected to Vantell', value: (state, connected) => connected },
	{ variableId: 'speed', name: 'Speed (−300…300)', value: (state) => state.speed },
	{ variableId: 'coarse', name: 'Coarse step', value: (state) => state.coarse },
	{ variableId: 'running', name: 'Running', value: (state) => state.running === true },
	{ variableId: 'run_state', name: 'Run state (Running, Paused)', value: (state) => (state.running ? 'Running' : 'Paused') },
	{ variableId: 'direction', name: 'Direction (forward, backward)', value: direction },
	{ variableId: 'elapsed', name: 'Elapsed time', value: (state) => state.elapsed ?? '' },
	{ variableId: 'remaining', name: 'Remaining time', value: (state) => state.remaining ?? '' },
	{ variableId: 'script', name: 'Script', value: (state) => state.scriptName ?? '' },
	{ variableId: 'position_percent', name: 'Where the page stands (%)', value: percent },
	{ variableId: 'queue_position', name: 'Queue entry (from 1)', value: (state) => (state.queueLength > 0 ? state.queuePosition + 1 : 0) },
	{ variableId: 'queue_length', name: 'Queue length', value: (state) => state.queueLength ?? 0 },
	{ variableId: 'story', name: 'Story on air', value: story },
	{ variableId: 'over_under', name: 'Over/under', value: overUnder },
	{ variableId: 'mirror', name: 'Mirrored', value: (state) => state.mirror === true },
	{ variableId: 'blackout', name: 'Talent display blacked out', value: (state) => state.blackout === true },
	{ variableId: 'voice_following', name: 'Voice following', value: (state) => state.voiceFollowing === true },
	{ variableId: 'dual_display', name: 'Talent display open', value: (state) => state.dualDisplay === true },
]

// Every variable's value; with no state yet (never connected) the values are empty.
function variableValues(state, connected) {
	const values = {}
	for (const variable of VARIABLES)
		values[variable.variableId] = state ? variable.value(state, connected) : variable.variableId === 'connected' ? connected : ''
	return values
}

// Whether a feedback is on for the state; options as the button set them.
function feedbackOn(feedbackId, options, state, connected) {
	if (feedbackId === 'connected') return connected
	if (!state || !connected) return false
	switch (feedbackId) {
		case 'running':
			return state.running === true
		case 'direction':
			return direction(state) === (options.direction ?? 'forward')
		case 'mirror':
			return state.mirror === true
		case 'rotate':
			return state.rotate === true
		case 'blackout':
			return state.blackout === true
		case 'voice_following':
			return state.voiceFollowing === true
		case 'dual_display':
			return state.dualDisplay === true
		case 'story_on_air': {
			const onAir = story(state)
			const wanted = String(options.story ?? '').trim()
			return onAir !== '' && (wanted === '' || onAir.toLowerCase() === wanted.toLowerCase())
		}
		default:
			return false
	}
}

module.exports = { VARIABLES, variableValues, feedbackOn }
