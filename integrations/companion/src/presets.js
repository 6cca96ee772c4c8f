// A page of buttons for a prompter operator: run and pause, speed, direction, the script's
// places, the queue, the display, and the read-outs.

const { combineRgb } = require('@companion-module/base')

const BLACK = combineRgb(0, 0, 0)
const WHITE = combineRgb(255, 255, 255)
const GREEN = combineRgb(0, 150, 0)
const RED = combineRgb(200, 0, 0)
const AMBER = combineRgb(200, 120, 0)
const BLUE = combineRgb(0, 70, 170)

function button(category, text, actionId, options = {}, feedbacks = [], size = '18') {
	return {
		type: 'button',
		category,
		name: text.replace(/\$\([^)]*\)/g, '').replace(/\\n/g, ' ').trim() || actionId,
		style: { text, size, color: WHITE, bgcolor: BLACK },
		steps: actionId ? [{ down: [{ actionId, options }], up: [] }] : [{ down: [], up: [] }],
		feedbacks,
	}
}

function lit(feedbackId, bgcolor, options = {}) {
	return { feedbackId, options, style: { bgcolor, color: WHITE } }
}

function presetDefinitions(label = 'vantell') {
	const v = (id) => `$(${label}:${id})`
	const presets = {
		run: button('Run', `RUN\\n${v('run_state')}`, 'toggle-pause', {}, [lit('running', GREEN)]),
		pause: button('Run', 'PAUSE', 'pause'),
		reverse: button('Run', `REV\\n${v('direction')}`, 'reverse', {}, [lit('direction', AMBER, { direction: 'backward' })]),
		faster: button('Speed', `FASTER\\n${v('speed')}`, 'speed-up'),
		slower: button('Speed', `SLOWER\\n${v('speed')}`, 'speed-down'),
		reset: button('Run', 'TO THE START', 'reset', {}, [], '14'),
		next_marker: button('Script', 'NEXT MARKER', 'next-marker', {}, [], '14'),
		previous_marker: button('Script', 'PREV MARKER', 'previous-marker', {}, [], '14'),
		forward_lines: button('Script', 'LINES ▼', 'forward-lines'),
		back_lines: button('Script', 'LINES ▲', 'back-lines'),
		next_script: button('Queue', `NEXT\\n${v('queue_position')}/${v('queue_length')}`, 'next-script'),
		previous_script: button('Queue', 'PREV SCRIPT', 'previous-script', {}, [], '14'),
		mirror: button('Display', 'MIRROR', 'mirror', { state: 'toggle' }, [lit('mirror', BLUE)]),
		blackout: button('Display', 'BLACK OUT', 'blackout', { state: 'toggle' }, [lit('blackout', RED)], '14'),
		voice: button('Display', 'VOICE', 'voice-following', { state: 'toggle' }, [lit('voice_following', GREEN)]),
		elapsed: button('Read-outs', `ELAPSED\\n${v('elapsed')}`, null, {}, [], '14'),
		remaining: button('Read-outs', `LEFT\\n${v('remaining')}`, null, {}, [], '14'),
		script: button('Read-outs', v('script'), null, {}, [lit('story_on_air', RED)], '7'),
		over_under: button('Read-outs', `OVER/UNDER\\n${v('over_under')}`, null, {}, [], '14'),
		connected: button('Read-outs', 'VANTELL', null, {}, [lit('connected', GREEN)], '14'),
	}
	// Speed presets, as a controller's preset buttons: a slow read, a normal one, a fast one.
	for (const speed of [60, 120, 200])
		presets[`speed_${speed}`] = button('Speed', `SPEED\\n${speed}`, 'speed', { value: speed })
	return presets
}

module.exports = { presetDefinitions }
