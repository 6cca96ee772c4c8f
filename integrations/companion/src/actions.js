// An action for every command of the control API.

const { COMMANDS, commandValue } = require('./commands')

const SWITCH_CHOICES = [
	{ id: 'toggle', label: 'Switch over' },
	{ id: 'on', label: 'On' },
	{ id: 'off', label: 'Off' },
]

function optionsFor(command) {
	switch (command.takes) {
		case 'number':
			return [
				{
					type: 'number',
					id: 'value',
					label: command.base === 1 ? 'Number (from 1)' : 'Value',
					min: command.min,
					max: command.max,
					default: command.default,
					step: 1,
				},
			]
		case 'switch':
			return [{ type: 'dropdown', id: 'state', label: 'State', choices: SWITCH_CHOICES, default: 'toggle' }]
		case 'text':
			return [{ type: 'textinput', id: 'text', label: 'Text (empty: take it away)', default: '', useVariables: true }]
		case 'script':
			return [
				{ type: 'textinput', id: 'name', label: 'Name', default: 'Breaking news', useVariables: true },
				{ type: 'textinput', id: 'text', label: 'Text (\\n between lines)', default: '', useVariables: true },
			]
		default:
			return []
	}
}

// `send(command, value, extra)` resolves to {ok, error}; a command the program refuses fails the
// action with the program's reason, which Companion logs.
function actionDefinitions(send) {
	const actions = {}
	for (const command of COMMANDS) {
		actions[command.name] = {
			name: command.label,
			options: optionsFor(command),
			callback: async (action) => {
				const answer =
					command.takes === 'script'
						? await send('script', undefined, {
								name: String(action.options.name ?? ''),
								text: String(action.options.text ?? '').replace(/\\n/g, '\n'),
							})
						: await send(command.name, commandValue(command, action.options))
				if (!answer.ok) throw new Error(answer.error ?? `Vantell refused ${command.name}`)
			},
		}
	}
	return actions
}

module.exports = { actionDefinitions }
