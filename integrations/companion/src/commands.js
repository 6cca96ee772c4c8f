// The commands of Vantell's control API (docs/REMOTE.md), each with what it takes. The module's
// tests check this table against the command list the program itself serves (/api/commands).
//
// takes: 'none', 'number' (from min to max), 'switch' (on, off, or over), 'text', 'script'.
// base: 1 for numbers an operator counts from 1 (queue entries, markers), which the API counts
// from 0.

const COMMANDS = [
	{ name: 'speed-up', label: 'Speed up (+10)', takes: 'none' },
	{ name: 'speed-down', label: 'Speed down (−10)', takes: 'none' },
	{ name: 'speed', label: 'Set speed', takes: 'number', min: -300, max: 300, default: 100 },
	{ name: 'coarse-up', label: 'Coarse step up', takes: 'none' },
	{ name: 'coarse-down', label: 'Coarse step down', takes: 'none' },
	{ name: 'coarse', label: 'Set coarse step', takes: 'number', min: 1, max: 10, default: 1 },
	{ name: 'pause', label: 'Pause', takes: 'none' },
	{ name: 'resume', label: 'Run', takes: 'none' },
	{ name: 'toggle-pause', label: 'Run / pause', takes: 'none' },
	{ name: 'reverse', label: 'Reverse direction', takes: 'none' },
	{ name: 'reset', label: 'Back to the start', takes: 'none' },
	{ name: 'next-script', label: 'Next script of the queue', takes: 'none' },
	{ name: 'previous-script', label: 'Previous script of the queue', takes: 'none' },
	{ name: 'queue-entry', label: 'Open queue entry', takes: 'number', min: 1, max: 1000001, default: 1, base: 1 },
	{ name: 'mirror', label: 'Mirror the page', takes: 'switch' },
	{ name: 'rotate', label: 'Turn the page upside down', takes: 'switch' },
	{ name: 'dual-display', label: 'Talent display', takes: 'switch' },
	{ name: 'blackout', label: 'Black out the talent display', takes: 'switch' },
	{ name: 'jump-lines', label: 'Jump by lines', takes: 'number', min: -1000000, max: 1000000, default: 5 },
	{ name: 'jump-pixels', label: 'Jump by pixels', takes: 'number', min: -100000000, max: 100000000, default: 100 },
	{ name: 'position', label: 'Go to scroll position', takes: 'number', min: 0, max: 100000000, default: 0 },
	{ name: 'script', label: 'Show a script sent as text', takes: 'script' },
	{ name: 'next-marker', label: 'Next marker', takes: 'none' },
	{ name: 'previous-marker', label: 'Previous marker', takes: 'none' },
	{ name: 'marker', label: 'Go to marker', takes: 'number', min: 1, max: 1000001, default: 1, base: 1 },
	{ name: 'show-clock-start', label: 'Show clock: start', takes: 'none' },
	{ name: 'show-clock-stop', label: 'Show clock: stop', takes: 'none' },
	{ name: 'show-clock-reset', label: 'Show clock: reset', takes: 'none' },
	{ name: 'talent-message', label: 'Message to the talent', takes: 'text' },
	{ name: 'voice-following', label: 'Voice following', takes: 'switch' },
	{ name: 'forward-lines', label: 'Jump forward (lines set in the options)', takes: 'none' },
	{ name: 'back-lines', label: 'Jump back (lines set in the options)', takes: 'none' },
	{ name: 'show-clock', label: 'Show clock: start or stop', takes: 'switch' },
	{ name: 'reading-line', label: 'Reading line on the prompter', takes: 'switch' },
	{ name: 'continuous', label: 'Continuous queue (the show as one page)', takes: 'switch' },
	{ name: 'next-story', label: 'Next story', takes: 'none' },
	{ name: 'previous-story', label: 'Previous story', takes: 'none' },
	{ name: 'story', label: 'Go to story', takes: 'number', min: 1, max: 1000001, default: 1, base: 1 },
	{ name: 'prompt-from-here', label: 'Prompt from here (the story at the reading line on air)', takes: 'none' },
	{ name: 'show-end', label: 'Planned end of the show (HH:MM:SS)', takes: 'text' },
	{ name: 'take-over', label: 'Take the show over (on a standby prompter)', takes: 'none' },
]

// The value a command's action sends, from the action's options; undefined for none.
function commandValue(command, options) {
	switch (command.takes) {
		case 'number': {
			const value = Math.round(Number(options.value))
			if (!Number.isFinite(value)) throw new Error(`${command.label}: "${options.value}" is no number`)
			return value - (command.base ?? 0)
		}
		case 'switch':
			if (options.state === 'on') return true
			if (options.state === 'off') return false
			return undefined
		case 'text':
			return String(options.text ?? '')
		default:
			return undefined
	}
}

module.exports = { COMMANDS, commandValue }
