// The connection to Vantell's control API over its WebSocket: the state as it arrives, commands
// with their answers, and connecting again whenever the program was closed, restarted or could
// not be reached (every second at first, then every five).

const { EventEmitter } = require('node:events')
const WebSocket = require('ws')

const REPLY_TIMEOUT_MS = 5000
const HEARTBEAT_MS = 5000

class PrompterConnection extends EventEmitter {
	constructor({ host, port, token }, { retryMs = 1000, maxRetryMs = 5000 } = {}) {
		super()
		this.host = host
		this.port = port
		this.token = token
		this.retryMs = retryMs
		this.maxRetryMs = maxRetryMs
		this.socket = null
		this.state = null
		this.pending = new Map()
		this.nextId = 1
		this.stopped = true
		this.retryTimer = null
		this.heartbeat = null
		this.delay = retryMs
		this.refusal = null
	}

	get url() {
		const host = this.host.includes(':') && !this.host.startsWith('[') ? `[${this.host}]` : this.host
		const query = this.token ? `?token=${encodeURIComponent(this.token)}` : ''
		return `ws://${host}:${this.port}/socket${query}`
	}

	get connected() {
		return this.socket !== null && this.socket.readyState === WebSocket.OPEN
	}

	start() {
		this.stopped = false
		this.connect()
	}

	stop() {
		this.stopped = true
		clearTimeout(this.retryTimer)
		this.closeSocket()
	}

	connect() {
		if (this.stopped) return
		this.emit('status', 'connecting', null)
		const socket = new WebSocket(this.url, { handshakeTimeout: 5000 })
		this.socket = socket
		socket.on('open', () => {
			this.refusal = null
			this.delay = this.retryMs
			this.alive = true
			this.heartbeat = setInterval(() => {
				// A program that stopped answering (a network gone quiet) is left and looked for again.
				if (!this.alive) {
					socket.terminate()
					return
				}
				this.alive = false
				socket.ping()
			}, HEARTBEAT_MS)
			this.emit('status', 'connected', null)
		})
		socket.on('pong', () => {
			this.alive = true
		})
		socket.on('message', (data) => this.received(data))
		socket.on('unexpected-response', (request, response) => {
			// 401: the token is wrong or missing; 403: the program refuses this computer.
			const why =
				response.statusCode === 401
					? 'Vantell refused the token'
					: `Vantell answered ${response.statusCode} ${response.statusMessage}`
			this.refusal = why
			socket.terminate()
		})
		socket.on('error', (error) => {
			this.emit('status', 'disconnected', error.message)
		})
		socket.on('close', () => {
			if (this.socket !== socket) return
			this.closeSocket()
			this.emit('status', this.refusal ? 'refused' : 'disconnected', this.refusal)
			if (!this.stopped) {
				this.retryTimer = setTimeout(() => this.connect(), this.delay)
				this.delay = Math.min(this.delay * 2, this.maxRetryMs)
			}
		})
	}

	closeSocket() {
		clearInterval(this.heartbeat)
		this.heartbeat = null
		const socket = this.socket
		this.socket = null
		if (socket) {
			socket.removeAllListeners('close')
			socket.on('error', () => undefined)
			socket.terminate()
		}
		for (const [id, waiting] of this.pending) {
			clearTimeout(waiting.timer)
			waiting.resolve({ ok: false, error: 'Vantell is not connected' })
			this.pending.delete(id)
		}
	}

	received(data) {
		let message
		try {
			message = JSON.parse(data.toString())
		} catch {
			return
		}
		if (message.type === 'state') {
			this.state = message
			this.emit('state', message)
		} else if (message.type === 'reply') {
			const waiting = this.pending.get(message.id)
			if (!waiting) return
			clearTimeout(waiting.timer)
			this.pending.delete(message.id)
			waiting.resolve({ ok: message.ok === true, error: message.error })
		}
	}

	// Sends a command (with its value, if any); resolves to {ok, error}.
	send(command, value, extra = {}) {
		if (!this.connected) return Promise.resolve({ ok: false, error: 'Vantell is not connected' })
		const id = this.nextId++
		const message = { command, id, ...extra }
		if (value !== undefined) message.value = value
		return new Promise((resolve) => {
			const timer = setTimeout(() => {
				this.pending.delete(id)
				resolve({ ok: false, error: 'Vantell did not answer' })
			}, REPLY_TIMEOUT_MS)
			this.pending.set(id, { resolve, timer })
			this.socket.send(JSON.stringify(message))
		})
	}
}

module.exports = { PrompterConnection }
