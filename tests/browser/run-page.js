#!/usr/bin/env node
// Loads a generated page in headless Chromium and reports, as one JSON object on stdout, every
// script error the page raised and the value of a check script run in the page after it loaded.
//
//   node run-page.js --page <file.html> [--check <file.js>] [--width 1200] [--height 800]
//                    [--web <folder with jquery-2.2.2.min.js, bootstrap.min.js, bootstrap.min.css>]
//                    [--fonts <folder of font files>] [--screenshot <file.png>] [--timeout 60000]
//                    [--host-rules "MAP cdn.example 127.0.0.1:8443, ..."]
//
// The check file holds one expression (usually an async arrow function call) whose value, awaited,
// is reported as "result". --fonts makes the folder's files the only fonts Chromium knows (generic
// families and "Helvetica Neue" fall back to Liberation Sans, as in the application), so a page
// renders with exactly the fonts the canvas draws with. --screenshot writes the viewport, at device
// scale 1 and without scrollbars, as PNG once the page and its fonts have loaded. Nothing leaves the machine: requests for the public jQuery and Bootstrap
// links are answered with the local copies from --web, any other remote request is refused.
// Chromium is driven over its DevTools pipe; no npm package is needed. $CHROMIUM names the binary.
// --host-rules sends the named hosts to local servers instead (certificates unchecked), and web
// requests then go out to them rather than to the local copies; no other host resolves.
'use strict';
const { spawn } = require('child_process');
const fs = require('fs');
const os = require('os');
const path = require('path');
const { pathToFileURL } = require('url');

function parseArguments(argv) {
  const options = { width: 1200, height: 800, timeout: 60000 };
  for (let i = 2; i < argv.length; i += 2) {
    const key = argv[i].replace(/^--/, '');
    options[key] = argv[i + 1];
  }
  options.width = Number(options.width);
  options.height = Number(options.height);
  options.timeout = Number(options.timeout);
  return options;
}

const options = parseArguments(process.argv);
if (!options.page) {
  process.stderr.write('run-page.js: --page is required\n');
  process.exit(2);
}

const localCopies = [
  [/jquery[^/]*\.js$/, 'jquery-2.2.2.min.js', 'application/javascript'],
  [/bootstrap[^/]*\.min\.js$/, 'bootstrap.min.js', 'application/javascript'],
  [/bootstrap[^/]*\.min\.css$/, 'bootstrap.min.css', 'text/css'],
  [/glyphicons-halflings-regular\.woff2$/, 'fonts/glyphicons-halflings-regular.woff2', 'font/woff2'],
  [/glyphicons-halflings-regular\.woff$/, 'fonts/glyphicons-halflings-regular.woff', 'font/woff'],
  [/glyphicons-halflings-regular\.ttf$/, 'fonts/glyphicons-halflings-regular.ttf', 'font/ttf'],
];

const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'quib-chromium-'));

function xmlText(text) {
  return String(text).replace(/&/g, '&amp;').replace(/</g, '&lt;').replace(/>/g, '&gt;');
}

// A fontconfig set-up that knows the given folder only.
function fontEnvironment(folder) {
  const fallback = ['Helvetica Neue', 'Helvetica', 'Arial', 'sans-serif', 'serif', 'monospace']
    .map((family) => `<alias binding="same"><family>${family}</family>` +
      '<prefer><family>Liberation Sans</family></prefer></alias>').join('\n');
  // Grey antialiasing and full hinting, as the canvas lays text out and draws it.
  const rendering = '<match target="font">' +
    '<edit name="antialias" mode="assign"><bool>true</bool></edit>' +
    '<edit name="hinting" mode="assign"><bool>true</bool></edit>' +
    '<edit name="hintstyle" mode="assign"><const>hintfull</const></edit>' +
    '<edit name="autohint" mode="assign"><bool>false</bool></edit>' +
    '<edit name="rgba" mode="assign"><const>none</const></edit></match>';
  const conf = path.join(profile, 'fonts.conf');
  fs.writeFileSync(conf, '<?xml version="1.0"?>\n<!DOCTYPE fontconfig SYSTEM "fonts.dtd">\n<fontconfig>\n' +
    `<dir>${xmlText(path.resolve(folder))}</dir>\n` +
    `<cachedir>${xmlText(path.join(profile, 'fontconfig'))}</cachedir>\n${fallback}\n${rendering}\n</fontconfig>\n`);
  return { ...process.env, FONTCONFIG_FILE: conf };
}

const chromiumArguments = [
  '--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
  '--disable-background-networking', '--disable-component-update', '--disable-sync',
  `--user-data-dir=${profile}`, '--remote-debugging-pipe',
  `--window-size=${options.width},${options.height}`,
];
if (options.screenshot) chromiumArguments.push('--hide-scrollbars');
if (options['host-rules']) {
  // Every other host resolves to nothing, so still nothing leaves the machine.
  chromiumArguments.push(`--host-resolver-rules=${options['host-rules']}, MAP * ~NOTFOUND`,
    '--ignore-certificate-errors');
}
const chromium = spawn(process.env.CHROMIUM || 'chromium', [...chromiumArguments, 'about:blank'], {
  stdio: ['ignore', 'ignore', 'ignore', 'pipe', 'pipe'],
  env: options.fonts ? fontEnvironment(options.fonts) : process.env,
});

const toBrowser = chromium.stdio[3];
const fromBrowser = chromium.stdio[4];
let nextId = 1;
const pending = new Map();
const listeners = [];
let buffer = Buffer.alloc(0);

function send(method, params = {}, sessionId = undefined) {
  const id = nextId++;
  const message = { id, method, params };
  if (sessionId) message.sessionId = sessionId;
  toBrowser.write(JSON.stringify(message) + '\0');
  return new Promise((resolve, reject) => pending.set(id, { resolve, reject, method }));
}

fromBrowser.on('data', (chunk) => {
  buffer = Buffer.concat([buffer, chunk]);
  let end;
  while ((end = buffer.indexOf(0)) >= 0) {
    const message = JSON.parse(buffer.subarray(0, end).toString('utf8'));
    buffer = buffer.subarray(end + 1);
    if (message.id && pending.has(message.id)) {
      const { resolve, reject, method } = pending.get(message.id);
      pending.delete(message.id);
      if (message.error) reject(new Error(`${method}: ${message.error.message}`));
      else resolve(message.result);
    } else if (message.method) {
      for (const listener of listeners) listener(message);
    }
  }
});

function waitFor(predicate) {
  return new Promise((resolve) => {
    const listener = (message) => {
      if (predicate(message)) {
        listeners.splice(listeners.indexOf(listener), 1);
        resolve(message);
      }
    };
    listeners.push(listener);
  });
}

let finishing = false;
function finish(report, code) {
  if (finishing) return;
  finishing = true;
  process.stdout.write(JSON.stringify(report) + '\n');
  const cleanUp = () => {
    try { fs.rmSync(profile, { recursive: true, force: true, maxRetries: 5 }); } catch (e) { /* best effort */ }
    process.exit(code);
  };
  if (chromium.exitCode !== null || chromium.signalCode !== null) return cleanUp();
  chromium.once('exit', cleanUp);
  chromium.kill('SIGKILL');
}

const report = { errors: [], consoleErrors: [], refused: [], result: null };
setTimeout(() => {
  report.errors.push('timed out');
  finish(report, 3);
}, options.timeout);
chromium.on('exit', () => {
  if (finishing) return;
  report.errors.push('chromium exited');
  finish(report, 3);
});

(async () => {
  const { targetId } = await send('Target.createTarget', { url: 'about:blank' });
  const { sessionId } = await send('Target.attachToTarget', { targetId, flatten: true });
  listeners.push((message) => {
    if (message.sessionId !== sessionId) return;
    if (message.method === 'Runtime.exceptionThrown') {
      const details = message.params.exceptionDetails;
      report.errors.push((details.exception && details.exception.description) || details.text);
    } else if (message.method === 'Runtime.consoleAPICalled' && message.params.type === 'error') {
      report.consoleErrors.push(message.params.args.map((a) => a.value ?? a.description).join(' '));
    } else if (message.method === 'Fetch.requestPaused') {
      const { requestId, request } = message.params;
      const url = request.url;
      if (url.startsWith('file:') || url.startsWith('data:') ||
          (options['host-rules'] && /^https?:/.test(url))) {
        send('Fetch.continueRequest', { requestId }, sessionId);
        return;
      }
      const copy = options.web && localCopies.find(([pattern]) => pattern.test(url.split('?')[0]));
      if (copy) {
        const body = fs.readFileSync(path.join(options.web, copy[1])).toString('base64');
        send('Fetch.fulfillRequest', {
          requestId, responseCode: 200, body,
          responseHeaders: [{ name: 'Content-Type', value: copy[2] },
            { name: 'Access-Control-Allow-Origin', value: '*' }],
        }, sessionId);
      } else {
        report.refused.push(url);
        send('Fetch.failRequest', { requestId, errorReason: 'BlockedByClient' }, sessionId);
      }
    }
  });
  await send('Fetch.enable', { patterns: [{ urlPattern: '*' }] }, sessionId);
  await send('Runtime.enable', {}, sessionId);
  await send('Page.enable', {}, sessionId);
  await send('Emulation.setDeviceMetricsOverride',
    { width: options.width, height: options.height, deviceScaleFactor: 1, mobile: false }, sessionId);
  const loaded = waitFor((m) => m.sessionId === sessionId && m.method === 'Page.loadEventFired');
  await send('Page.navigate', { url: pathToFileURL(path.resolve(options.page)).href }, sessionId);
  await loaded;
  if (options.check) {
    const expression = fs.readFileSync(options.check, 'utf8');
    const evaluated = await send('Runtime.evaluate',
      { expression, awaitPromise: true, returnByValue: true }, sessionId);
    if (evaluated.exceptionDetails) {
      const details = evaluated.exceptionDetails;
      report.errors.push('check: ' + ((details.exception && details.exception.description) || details.text));
    } else {
      report.result = evaluated.result.value;
    }
  }
  if (options.screenshot) {
    // Web fonts and pictures first; then two frames so that everything is painted.
    await send('Runtime.evaluate', {
      expression: 'document.fonts.ready.then(() => new Promise((done) => ' +
        'requestAnimationFrame(() => requestAnimationFrame(done))))',
      awaitPromise: true,
    }, sessionId);
    const shot = await send('Page.captureScreenshot', {
      format: 'png', captureBeyondViewport: false,
      clip: { x: 0, y: 0, width: options.width, height: options.height, scale: 1 },
    }, sessionId);
    fs.writeFileSync(options.screenshot, Buffer.from(shot.data, 'base64'));
    report.screenshot = options.screenshot;
  }
  finish(report, 0);
})().catch((error) => {
  report.errors.push('runner: ' + error.message);
  finish(report, 3);
});
