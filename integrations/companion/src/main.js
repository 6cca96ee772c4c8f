// Bitfocus Companion's module for the Vantell teleprompter: the connection's settings, an action
// for every command of the control API, feedbacks and variables from the state the program sends,
// and a page of buttons; the connection is made again whenever the program restarts.

const { InstanceBase, InstanceStatus, runEntrypoint } = require('@companion-module/base')
const { actionDefinitions } = require('./actions')
const { PrompterConnection } = require('./connection')
const { feedbackDefinitions } = require('./feedbacks')
const { presetDefinitions } = require('./presets')
const { VARIABLES, variableValues } = require('./state')
const upgrades = require('./upgrades')

const DEFAULT_PORT = 7755

class VantellInstance extends InstanceBase {
	async init(config) {
		this.setActionDefinitions(actionDefinitions((command, value, extra) => this.send(command, value, extra)))
		this.setFeedbackDefinitions(feedbackDefinitions(() => this.current()))
		this.setVariableDefinitions(VARIABLES.map(({ variableId, name }) => ({ variableId, name })))
		this.setPresetDefinitions(presetDefinitions(this.label))
		this.connect(config)
	}

	async destroy() {
		this.connection?.stop()
		this.connection = null
	}

	async configUpdated(config) {
		this.setPresetDefinitions(presetDefinitions(this.label))
		this.connect(config)
	}

	getConfigFields() {
		return [
			{ type: 'textinput', id: 'host', label: 'Host', width: 8, default: '127.0.0.1' },
			{ type: 'number', id: 'port', label: 'Port', width: 4, min: 1, max: 65535, default: DEFAULT_PORT },
			{
				type: 'textinput',
				id: 'token',
				label: 'Token (when the program allows the network)',
				width: 12,
				default: '',
			},
		]
	}

	current() {
		return { state: this.connection?.state ?? null, connected: this.connection?.connected ?? false }
	}

	send(command, value, extra) {
		if (!this.connection) return Promise.resolve({ ok: false, error: 'Vantell is not connected' })
		return this.connection.send(command, value, extra)
	}

	connect(config) {
		this.connection?.stop()
		const host = String(config.host ?? '').trim()
		const port = Number(config.port ?? DEFAULT_PORT)
		if (!host || !Number.isInteger(port) || port < 1 || port > 65535) {
			this.connection = null
			this.updateStatus(InstanceStatus.BadConfig, 'Host and port are needed')
			return
		}
		const connection = new PrompterConnection({ host, port, token: String(config.token ?? '').trim() })
		this.connection = connection
		connection.on('status', (status, message) => {
			if (this.connection !== connection) return
			switch (status) {
				case 'connecting':
					this.updateStatus(InstanceStatus.Connecting)
					break
				case 'connected':
					this.updateStatus(InstanceStatus.Ok)
					break
				case 'refused':
					this.updateStatus(InstanceStatus.BadConfig, message)
					break
				default:
					this.updateStatus(InstanceStatus.ConnectionFailure, message ?? 'Vantell cannot be reached')
			}
			this.showState()
		})
		connection.on('state', () => {
			if (this.connection === connection) this.showState()
		})
		connection.start()
	}

	showState() {
		const { state, connected } = this.current()
		this.setVariableValues(variableValues(state, connected))
		this.checkFeedbacks()
	}
}

runEntrypoint(VantellInstance, upgrades)
