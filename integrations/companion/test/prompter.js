// The real program for the module's tests: Vantell started with its control API on a free port
// of this computer, with settings, home and data of its own, showing a numbered script; stopped
// and started again on the same port as an operator restarts it.

const { spawn } = require('node:child_process')
const fs = require('node:fs')
const net = require('node:net')
const os = require('node:os')
const path = require('node:path')

function freePort() {
	return new Promise((resolve, reject) => {
		const server = net.createServer()
		server.on('error', reject)
		server.listen(0, '127.0.0.1', () => {
			const { port } = server.address()
			server.close(() => resolve(port))
		})
	})
}

class Prompter {
	constructor(program) {
		this.program = program
		this.home = fs.mkdtempSync(path.join(os.tmpdir(), 'vantell-companion-'))
		this.script = path.join(this.home, 'news.txt')
		const lines = Array.from({ length: 400 }, (_, index) => `line ${index + 1} of the evening news`)
		fs.writeFileSync(this.script, lines.join('\n') + '\n')
	}

	get base() {
		return `http://127.0.0.1:${this.port}`
	}

	async start() {
		this.port ??= await freePort()
		const config = path.join(this.home, 'config', 'korvanex')
		fs.mkdirSync(config, { recursive: true })
		fs.writeFileSync(path.join(config, 'vantell.conf'), `[Remote]\nEnabled=0\nPort=${this.port}\n`)
		// No network service is reached; the page draws offscreen.
		const service = 'http://127.0.0.1:9/'
		const environment = {
			...process.env,
			HOME: this.home,
			XDG_CONFIG_HOME: path.join(this.home, 'config'),
			XDG_DATA_HOME: path.join(this.home, 'data'),
			XDG_STATE_HOME: path.join(this.home, 'state'),
			XDG_CACHE_HOME: path.join(this.home, 'cache'),
			QT_QPA_PLATFORM: 'offscreen',
			QTWEBENGINE_CHROMIUM_FLAGS: '--disable-gpu',
			LC_ALL: 'C.UTF-8',
			LANGUAGE: '',
			VANTELL_SERVICE_URL: service,
			VANTELL_HELP_URL: service,
			VANTELL_PROBE_URL: service,
		}
		if (process.getuid && process.getuid() === 0) environment.QTWEBENGINE_DISABLE_SANDBOX = '1'
		this.output = ''
		this.process = spawn(this.program, ['--remote', this.script], { env: environment, stdio: ['ignore', 'pipe', 'pipe'] })
		this.process.stdout.on('data', (data) => (this.output += data))
		this.process.stderr.on('data', (data) => (this.output += data))
		const deadline = Date.now() + 60000
		while (Date.now() < deadline) {
			try {
				const state = await this.state()
				if (String(state.script ?? '').endsWith('news.txt')) return
			} catch {
				// Not listening yet.
			}
			if (this.process.exitCode !== null) throw new Error(`Vantell ended: ${this.output}`)
			await new Promise((resolve) => setTimeout(resolve, 100))
		}
		throw new Error(`Vantell did not show its script on port ${this.port}: ${this.output}`)
	}

	async stop() {
		if (!this.process || this.process.exitCode !== null) return
		const ended = new Promise((resolve) => this.process.once('exit', resolve))
		this.process.kill('SIGTERM')
		const killer = setTimeout(() => this.process.kill('SIGKILL'), 10000)
		await ended
		clearTimeout(killer)
	}

	async state() {
		const answer = await fetch(`${this.base}/api/state`, { signal: AbortSignal.timeout(3000) })
		return answer.json()
	}

	async commands() {
		const answer = await fetch(`${this.base}/api/commands`, { signal: AbortSignal.timeout(3000) })
		return (await answer.json()).commands
	}

	async command(command, value) {
		const answer = await fetch(`${this.base}/api/command`, {
			method: 'POST',
			headers: { 'Content-Type': 'application/json' },
			body: JSON.stringify(value === undefined ? { command } : { command, value }),
			signal: AbortSignal.timeout(3000),
		})
		return answer.json()
	}

	// Resolves with the state once `condition(state)` holds.
	async until(condition, timeoutMs, what) {
		const deadline = Date.now() + timeoutMs
		let state = null
		while (Date.now() < deadline) {
			state = await this.state()
			if (condition(state)) return state
			await new Promise((resolve) => setTimeout(resolve, 50))
		}
		throw new Error(`${what} within ${timeoutMs} ms; the state: ${JSON.stringify(state)}`)
	}

	remove() {
		fs.rmSync(this.home, { recursive: true, force: true })
	}
}

module.exports = { Prompter }
