#!/usr/bin/env node
// The newsroom system of the tests: the MOS connection library of the Sofie project
// (@mos-connection/connector) as the newsroom computer system, connected to the prompter on
// loopback. The test sends it one command a line on stdin, as JSON, and reads one answer a line on
// stdout: {"ok": true, "result": ...} or {"ok": false, "error": "..."}.
//
//   node newsroom.js --lower PORT --upper PORT [--device ID] [--ncs ID] [--buddy] [--record FILE]
//
// --device is the prompter's MOS ID, --ncs the newsroom system's own ID (NCS-PRIMARY by default).
// --buddy connects a second newsroom system (the buddy, NCS-BUDDY) beside the primary and sends
// every other command through it. --record writes every message sent and received, as JSON
// lines, to FILE. --listen PORT has the newsroom take the prompter's own connections on PORT
// (lower), PORT + 1 (upper) and PORT + 2 (query), and answer its roReqAll and roReq with the
// running orders it holds: those it created or replaced, and those a "hold" command gave it
// without sending them (what the newsroom changed while the prompter was away).
'use strict';

const fs = require('fs');
const readline = require('readline');
const { MosConnection, getMosTypes } = require('@mos-connection/connector');

function option(name, fallback) {
    const at = process.argv.indexOf('--' + name);
    return at >= 0 ? process.argv[at + 1] : fallback;
}

const lower = Number(option('lower'));
const upper = Number(option('upper'));
const device = option('device', 'PROMPTER');
const ncs = option('ncs', 'NCS-PRIMARY');
const record = option('record', null);
const withBuddy = process.argv.includes('--buddy');
const listen = option('listen', null);
// The running orders the newsroom holds, by ID, as the library describes them.
const held = new Map();
const types = getMosTypes(false);
const text = (value) => types.mosString128.create(value === undefined ? '' : String(value));
// What the library read from the prompter, as plain text.
const plain = (value) => (types.mosString128.is(value) ? types.mosString128.stringify(value) : String(value));

function item(it) {
    return {
        ID: text(it.id),
        Slug: text(it.slug || it.id),
        ObjectID: text('OBJ-' + it.id),
        MOSID: 'VIDEO.MOS',
        mosAbstract: it.abstract || '',
    };
}

function story(st) {
    return { ID: text(st.id), Slug: text(st.slug), Number: text(st.number || ''), Items: (st.items || []).map(item) };
}

function runningOrder(ro) {
    const order = { ID: text(ro.id), Slug: text(ro.slug), Stories: (ro.stories || []).map(story) };
    // The show's planned start ("now": this moment) and length ("H:MM:SS"), when the test gives them.
    if (ro.start)
        order.EditorialStart = types.mosTime.create(ro.start === 'now' ? Date.now() : ro.start);
    if (ro.duration)
        order.EditorialDuration = types.mosDuration.create(ro.duration);
    return order;
}

// A story's text: paragraphs, and presenter instructions as the library sends them.
function fullStory(ro, st) {
    return {
        ID: text(st.id),
        Slug: text(st.slug),
        Number: text(st.number || ''),
        RunningOrderId: text(ro),
        Body: (st.body || []).map((part) => (typeof part === 'string'
            ? { Type: 'p', Content: part }
            : { Type: part.type, Content: part.text })),
    };
}

const log = record ? fs.openSync(record, 'w') : null;
function recordMessage(peer, direction, message) {
    if (log !== null)
        fs.writeSync(log, JSON.stringify({ peer, direction, message }) + '\n');
}

// The library writes the ID it is set up with as the mosID of every message it sends, and the ID of
// the device it connects to as the ncsID, whichever side it plays. A newsroom system sends its own
// ID as the ncsID and the device's as the mosID: so the newsroom here is set up with the
// prompter's ID and connects to its own.
function newsroom(name) {
    const connection = new MosConnection({
        mosID: device,
        acceptsConnections: listen !== null && name === ncs,
        ports: listen === null ? undefined : { lower: Number(listen), upper: Number(listen) + 1, query: Number(listen) + 2 },
        isNCS: true,
        // The library lets a newsroom speak profile 2 only together with profiles 0 and 1.
        profiles: { 0: true, 1: true, 2: true, 3: false, 4: true },
        strict: false,
        debug: false,
    });
    connection.on('rawMessage', (source, type, message) => recordMessage(name, type, message));
    connection.on('error', () => {}); // reported through the commands' answers
    return connection;
}

async function connect(connection, name) {
    await connection.init();
    const peer = await connection.connect({
        primary: {
            id: name,
            host: '127.0.0.1',
            ports: { lower, upper, query: upper + 1 },
            timeout: 5000,
            heartbeatInterval: 5000,
            dontUseQueryPort: true,
        },
    });
    peer.onRequestAllRunningOrders(async () => [...held.values()]);
    peer.onRequestRunningOrder(async (id) => held.get(plain(id)) || null);
    // Connected once a heartbeat has come back on both ports.
    for (let waited = 0; !peer.getConnectionStatus().PrimaryConnected; waited += 50) {
        if (waited > 10000)
            throw new Error('no heartbeat from the prompter: ' + peer.getConnectionStatus().PrimaryStatus);
        await new Promise((resolve) => setTimeout(resolve, 50));
    }
    return peer;
}

const connections = [];
const peers = [];
let turn = 0;
// The primary, or the primary and the buddy by turns.
function next() {
    return peers[turn++ % peers.length];
}

async function run(command) {
    const ro = command.ro;
    const status = (ack) => plain(ack.Status);
    switch (command.do) {
    case 'connect':
        connections.push(newsroom(ncs));
        peers.push(await connect(connections[0], ncs));
        if (withBuddy) {
            connections.push(newsroom('NCS-BUDDY'));
            peers.push(await connect(connections[1], 'NCS-BUDDY'));
        }
        return peers.length;
    case 'machineInfo': {
        const info = await next().requestMachineInfo();
        const profiles = info.supportedProfiles;
        return {
            id: plain(info.ID),
            model: plain(info.model),
            mosRev: plain(info.mosRev),
            profiles: [0, 1, 2, 3, 4, 5, 6, 7].filter((n) => profiles['profile' + n]),
        };
    }
    case 'create':
        held.set(command.runningOrder.id, runningOrder(command.runningOrder));
        return status(await next().sendCreateRunningOrder(runningOrder(command.runningOrder)));
    case 'replace':
        held.set(command.runningOrder.id, runningOrder(command.runningOrder));
        return status(await next().sendReplaceRunningOrder(runningOrder(command.runningOrder)));
    case 'hold':
        held.set(command.runningOrder.id, runningOrder(command.runningOrder));
        return 'OK';
    case 'delete':
        held.delete(ro);
        return status(await next().sendDeleteRunningOrder(text(ro)));
    case 'metadata':
        return status(await next().sendMetadataReplace({ ID: text(ro), Slug: text(command.slug) }));
    case 'readyToAir':
        return status(await next().sendReadyToAir({ ID: text(ro), Status: command.status }));
    case 'storyStatus':
        return status(await next().sendStoryStatus({
            RunningOrderId: text(ro), ID: text(command.story), Status: command.status,
            Time: types.mosTime.create(Date.now()),
        }));
    case 'story':
        return status(await next().sendRunningOrderStory(fullStory(ro, command.story)));
    case 'timedStory': {
        // For the benchmark: when the message left, on the clock the prompter reads too.
        const sentAt = Date.now();
        return { status: status(await next().sendRunningOrderStory(fullStory(ro, command.story))), sentAt };
    }
    case 'bigRunningOrder':
        return sendBigRunningOrder(ro, command.stories, command.words);
    case 'insert':
        return status(await next().sendROInsertStories({ RunningOrderID: text(ro), StoryID: text(command.before) },
            command.stories.map(story)));
    case 'replaceStory':
        return status(await next().sendROReplaceStories({ RunningOrderID: text(ro), StoryID: text(command.story) },
            command.stories.map(story)));
    case 'move':
        return status(await next().sendROMoveStories({ RunningOrderID: text(ro), StoryID: text(command.before) },
            command.ids.map(text)));
    case 'swap':
        return status(await next().sendROSwapStories({ RunningOrderID: text(ro) }, text(command.ids[0]),
            text(command.ids[1])));
    case 'deleteStories':
        return status(await next().sendRODeleteStories({ RunningOrderID: text(ro) }, command.ids.map(text)));
    case 'insertItems':
        return status(await next().sendROInsertItems({ RunningOrderID: text(ro), StoryID: text(command.story),
            ItemID: text(command.before) }, command.items.map(item)));
    case 'deleteItems':
        return status(await next().sendRODeleteItems({ RunningOrderID: text(ro), StoryID: text(command.story) },
            command.ids.map(text)));
    case 'list': {
        const list = await next().sendRequestRunningOrder(text(ro));
        return list.Stories.map((st) => ({ id: plain(st.ID), slug: plain(st.Slug), items: st.Items.length }));
    }
    case 'listAll':
        return (await next().sendRequestAllRunningOrders()).map((order) => plain(order.ID));
    case 'quit':
        for (const connection of connections)
            await connection.dispose();
        if (log !== null)
            fs.closeSync(log);
        setImmediate(() => process.exit(0));
        return 'bye';
    default:
        throw new Error('unknown command ' + command.do);
    }
}

// A show of `count` stories of `words` words each, sent as a newsroom sends it: the running order,
// then each story's text. Answers how long the library took, in milliseconds.
async function sendBigRunningOrder(ro, count, words) {
    const vocabulary = ('the council said tonight that new figures show a rise in the number of people who ' +
        'travel by train while the weather turns colder across the north and schools prepare for exams').split(' ');
    const stories = [];
    for (let i = 0; i < count; ++i)
        stories.push({ id: 'S' + i, slug: 'Story ' + (i + 1) });
    const started = Date.now();
    const ack = await next().sendCreateRunningOrder(runningOrder({ id: ro, slug: 'Big Show', stories }));
    if (plain(ack.Status) !== 'OK')
        throw new Error('running order refused: ' + plain(ack.Status));
    let word = 0;
    for (const st of stories) {
        const paragraphs = [];
        for (let left = words; left > 0; left -= 40) {
            const sentence = [];
            for (let n = 0; n < Math.min(40, left); ++n)
                sentence.push(vocabulary[(word++ * 7) % vocabulary.length]);
            paragraphs.push(sentence.join(' ') + '.');
        }
        const sent = await next().sendRunningOrderStory(fullStory(ro, { ...st, body: paragraphs }));
        if (plain(sent.Status) !== 'OK')
            throw new Error('story refused: ' + plain(sent.Status));
    }
    return { elapsedMs: Date.now() - started, words: word };
}

// Commands run one after the other, in the order they come.
let queue = Promise.resolve();
readline.createInterface({ input: process.stdin }).on('line', (line) => {
    if (!line.trim())
        return;
    queue = queue.then(async () => {
        let answer;
        try {
            answer = { ok: true, result: await run(JSON.parse(line)) };
        } catch (error) {
            answer = { ok: false, error: String(error && error.message ? error.message : error) };
        }
        process.stdout.write(JSON.stringify(answer) + '\n');
    });
});
