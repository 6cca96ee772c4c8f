// Feedbacks: the prompter's state on the buttons.

const { combineRgb } = require('@companion-module/base')
const { feedbackOn } = require('./state')

const GREEN = combineRgb(0, 150, 0)
const RED = combineRgb(200, 0, 0)
const AMBER = combineRgb(200, 120, 0)
const BLUE = combineRgb(0, 70, 170)
const WHITE = combineRgb(255, 255, 255)

function feedback(name, description, bgcolor, options = []) {
	return { type: 'boolean', name, description, defaultStyle: { bgcolor, color: WHITE }, options }
}

// `current()` gives {state, connected} as the connection last told them.
function feedbackDefinitions(current) {
	const definitions = {
		running: feedback('Running', 'The page is running', GREEN),
		direction: feedback('Direction', 'The speed points this way', AMBER, [
			{
				type: 'dropdown',
				id: 'direction',
				label: 'Direction',
				default: 'backward',
				choices: [
					{ id: 'forward', label: 'Forward' },
					{ id: 'backward', label: 'Backward' },
				],
			},
		]),
		mirror: feedback('Mirrored', 'The page is mirrored', BLUE),
		rotate: feedback('Upside down', 'The page is turned upside down', BLUE),
		blackout: feedback('Blacked out', 'The talent display is blacked out', RED),
		voice_following: feedback('Voice following', 'The page follows the speaker', GREEN),
		dual_display: feedback('Talent display', 'The talent display is open', BLUE),
		story_on_air: feedback('Story on air', 'A newsroom story (or this one) is on air', RED, [
			{ type: 'textinput', id: 'story', label: 'Story (empty: any)', default: '' },
		]),
		connected: feedback('Connected', 'Vantell is connected', GREEN),
	}
	for (const [id, definition] of Object.entries(definitions)) {
		definition.callback = (instance) => {
			const { state, connected } = current()
			return feedbackOn(id, instance.options, state, connected)
		}
	}
	return definitions
}

module.exports = { feedbackDefinitions }
