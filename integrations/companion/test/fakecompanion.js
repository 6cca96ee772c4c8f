// Bitfocus Companion as the module meets it, for the tests: the module's process started as
// Companion starts it (its manifest, a connection id, the IPC channel), registered, given its
// configuration, and then asked to run actions and follow feedbacks. What it reports (status,
// definitions, variables, feedback values) is kept for the tests to read.

const { fork } = require('node:child_process')
const path = require('node:path')

const MODULE = path.join(__dirname, '..')

class FakeCompanion {
	constructor() {
		this.status = null
		this.statusMessage = null
		this.statuses = []
		this.definitions = {}
		this.variables = {}
		this.feedbackValues = {}
		this.logs = []
		this.pending = new Map()
		this.nextId = 1
		this.waiters = new Set()
	}

	async start(config, label = 'vantell') {
		this.child = fork(path.join(MODULE, 'src', 'main.js'), [], {
			env: {
				...process.env,
				MODULE_MANIFEST: path.join(MODULE, 'companion', 'manifest.json'),
				CONNECTION_ID: label,
				VERIFICATION_TOKEN: 'test',
			},
			stdio: ['ignore', 'pipe', 'pipe', 'ipc'],
		})
		this.child.stdout.on('data', (data) => this.logs.push(data.toString()))
		this.child.stderr.on('data', (data) => this.logs.push(data.toString()))
		this.child.on('message', (message) => this.received(message))
		await this.until(() => this.registered, 10000, 'the module did not register')
		await this.call('init', {
			label,
			isFirstInit: false,
			config,
			secrets: {},
			lastUpgradeIndex: -1,
			feedbacks: {},
			actions: {},
		})
	}

	async stop() {
		if (!this.child) return
		try {
			await this.call('destroy', {}, 3000)
		} catch {
			// Gone already.
		}
		this.child.kill()
		this.child = null
	}

	received(message) {
		if (message.direction === 'response') {
			const waiting = this.pending.get(message.callbackId)
			if (!waiting) return
			this.pending.delete(message.callbackId)
			clearTimeout(waiting.timer)
			const payload = message.payload ? JSON.parse(message.payload) : undefined
			if (message.success) waiting.resolve(payload)
			else waiting.reject(new Error(payload?.message ?? JSON.stringify(payload)))
			return
		}
		const payload = message.payload ? JSON.parse(message.payload) : undefined
		let answer = {}
		switch (message.name) {
			case 'register':
				this.registered = true
				break
			case 'set-status':
				this.status = payload.status
				this.statusMessage = payload.message
				this.statuses.push(payload.status)
				break
			case 'setActionDefinitions':
				this.definitions.actions = payload.actions
				break
			case 'setFeedbackDefinitions':
				this.definitions.feedbacks = payload.feedbacks
				break
			case 'setVariableDefinitions':
				this.definitions.variables = payload.variables
				break
			case 'setPresetDefinitions':
				this.definitions.presets = payload.presets
				break
			case 'setVariableValues':
				for (const { id, value } of payload.newValues) this.variables[id] = value
				break
			case 'updateFeedbackValues':
				for (const { id, value } of payload.values) this.feedbackValues[id] = value
				break
			case 'parseVariablesInString':
				answer = { text: payload.text, variableIds: [] }
				break
			case 'log-message':
				this.logs.push(`${payload.level}: ${payload.message}`)
				break
			default:
				break
		}
		if (message.callbackId)
			this.child?.send({
				direction: 'response',
				callbackId: message.callbackId,
				success: true,
				payload: JSON.stringify(answer),
			})
		for (const waiter of this.waiters) waiter()
	}

	call(name, payload, timeoutMs = 10000) {
		const callbackId = this.nextId++
		return new Promise((resolve, reject) => {
			const timer = setTimeout(() => {
				this.pending.delete(callbackId)
				reject(new Error(`the module did not answer ${name}`))
			}, timeoutMs)
			this.pending.set(callbackId, { resolve, reject, timer })
			this.child.send({ direction: 'call', name, payload: JSON.stringify(payload), callbackId })
		})
	}

	// As a button press runs it: {success, errorMessage}.
	runAction(actionId, options = {}) {
		const id = `action-${this.nextId}`
		return this.call('executeAction', {
			action: { id, controlId: 'page1/bank1', actionId, options, upgradeIndex: null, disabled: false },
			surfaceId: undefined,
		})
	}

	// A button that shows `feedbackId`; its value arrives in feedbackValues[id].
	followFeedback(id, feedbackId, options = {}) {
		return this.call('updateFeedbacks', {
			feedbacks: {
				[id]: {
					id,
					controlId: `page1/${id}`,
					feedbackId,
					options,
					isInverted: false,
					upgradeIndex: null,
					disabled: false,
				},
			},
		})
	}

	// Resolves once `condition()` holds, checked whenever the module reports something and every
	// 50 ms; rejects after `timeoutMs` with `what`.
	until(condition, timeoutMs, what) {
		return new Promise((resolve, reject) => {
			const check = () => {
				let held = false
				try {
					held = condition()
				} catch {
					held = false
				}
				if (!held) return
				done()
				resolve()
			}
			const ticker = setInterval(check, 50)
			const timer = setTimeout(() => {
				done()
				reject(new Error(`${what} within ${timeoutMs} ms`))
			}, timeoutMs)
			const done = () => {
				clearInterval(ticker)
				clearTimeout(timer)
				this.waiters.delete(check)
			}
			this.waiters.add(check)
			check()
		})
	}
}

module.exports = { FakeCompanion }
