// The browser build played in headless Chromium, in one tab on as few page loads as it takes: the
// page's message cards; a game by the keyboard alone whose high rating is kept by the browser across
// the "Play again" card's reload; then a game started by touch, taken on by a game pad, a round reached
// by touching and clicking its buttons and ended by Esc; the screens compared with the desktop's
// pictures on the way, and the figures (sizes, load time, frame pacing, CPU share).
// scripts/test-web.sh runs it:
//   BRAKKA_WEB_DIR     the served folder (build-web/stage/brakka)
//   BRAKKA_HIGHS       a native brakka_highs, which reads the saved table
//   BRAKKA_SCREENS     the desktop's pictures (docs/screens)
//   BRAKKA_WEB_OUT     where the browser's pictures and figures.txt go
import { test, before, after } from "node:test";
import assert from "node:assert/strict";
import { execFileSync } from "node:child_process";
import { mkdirSync, readFileSync, writeFileSync, appendFileSync, statSync } from "node:fs";
import { gzipSync } from "node:zlib";
import { join } from "node:path";
import { serveFolder } from "./serve.mjs";
import { launchBrowser, openGame, pageProbes, startGame, waitState, canvasPixels, pixel, clickPicture, tapPicture,
         until, PICTURE_W, PICTURE_H } from "./browser.mjs";
import { decodePng } from "./png.mjs";

const dir = process.env.BRAKKA_WEB_DIR, out = process.env.BRAKKA_WEB_OUT || "build-web/test";
mkdirSync(out, { recursive: true });
const figures = join(out, "figures.txt");
writeFileSync(figures, "");
const figure = (line) => { appendFileSync(figures, line + "\n"); console.log("figure: " + line); };

// The game's buttons (the same boxes the game hit-tests) and its focus ring's colour.
const WELCOME = [[37, 528, 112, 36], [189, 510, 112, 36], [342, 492, 112, 36], [496, 510, 112, 36], [651, 528, 112, 36]];
const CHANGE_NAME = 0, PLAY = 2;
const MENU = [[250, 545, 96, 32], [453, 545, 96, 32]], MENU_QUIT = 1;
const STATS = [[352, 545, 96, 32]];
const SETUP = [[256, 410, 96, 36], [448, 410, 96, 36]];
const NAME_DONE = [[174 + 343, 246 + 39, 90, 30]];
const RING = 0xffcc33, RING_GAP = 3;

let server, browser, closeBrowser;
before(async () => {
  assert.ok(dir, "BRAKKA_WEB_DIR names the folder to serve");
  server = await serveFolder(dir);
  ({ browser, close: closeBrowser } = await launchBrowser());
});
after(async () => {
  if (closeBrowser) await closeBrowser();
  if (server) server.close();
});

const near = (a, b, tolerance = 10) =>
  [16, 8, 0].every((s) => Math.abs(((a >> s) & 255) - ((b >> s) & 255)) <= tolerance);

// The button of `buttons` that has the focus ring, or -1.
function ringOn(picture, buttons) {
  const e = RING_GAP + 1;
  return buttons.findIndex(([x, y, w, h]) =>
    near(pixel(picture, x - e, y + (h >> 1)), RING) && near(pixel(picture, x + (w >> 1), y - e), RING));
}

const sleep = (ms) => new Promise((r) => setTimeout(r, ms));

// A key held for a couple of frames (the game latches a press, so it is never missed).
async function press(tab, key) {
  await tab.keyboard.down(key);
  await sleep(40);
  await tab.keyboard.up(key);
}

// The standard layout's buttons, as a browser numbers them.
const PAD_A = 0, PAD_LEFT = 14, PAD_RIGHT = 15;
async function padPress(tab, button) {
  await tab.evaluate((b) => window.brakkaTestPad.set(b, true), button);
  await sleep(80);
  await tab.evaluate((b) => window.brakkaTestPad.set(b, false), button);
}

// Moves the ring onto buttons[target] as a player would, waiting for each press to show: by the arrow
// keys (or `next`, a key that moves it on, or a function given the way to go).
async function focus(tab, buttons, target, next = "ArrowRight") {
  for (let tries = 0; tries < 40; ++tries) {
    const at = ringOn(await canvasPixels(tab), buttons);
    if (at === target) return;
    if (typeof next === "function") await next(at > target ? -1 : 1);
    else await press(tab, at > target ? "ArrowLeft" : next);
    await until(async () => ringOn(await canvasPixels(tab), buttons) !== at, 1500, "the ring to move").catch(() => {});
  }
  throw new Error(`the focus never came to button ${target}`);
}

// What the page's file system and the browser's storage hold for the player: the saved file's bytes.
async function savedFile(tab) {
  return tab.evaluate(() => {
    const folder = "/userdata/brakka";
    const names = FS.readdir(folder).filter((n) => n !== "." && n !== "..");
    return names.length === 1 ? Array.from(FS.readFile(folder + "/" + names[0])) : null;
  });
}

function tableOf(bytes) {
  const file = join(out, "saved-highs.txt");
  writeFileSync(file, Buffer.from(bytes));
  return execFileSync(process.env.BRAKKA_HIGHS, ["--read", file], { encoding: "utf8" })
    .trim().split("\n").map((line) => line.split("\t"));
}

const screens = process.env.BRAKKA_SCREENS || "docs/screens";
const desktop = (name) => {
  const picture = decodePng(readFileSync(join(screens, `${name}.png`)));
  assert.equal(picture.width, PICTURE_W);
  assert.equal(picture.height, PICTURE_H);
  return picture;
};

// Pixels off by more than `tolerance` in some channel (filtering and rounding of another rasteriser
// stay below it), as a share of the pixels `counted` selects.
function offShare(a, b, counted = () => true, tolerance = 24) {
  let off = 0, all = 0;
  for (let i = 0; i < PICTURE_W * PICTURE_H; ++i) {
    if (!counted(i)) continue;
    ++all;
    for (let c = 0; c < 3; ++c) {
      if (Math.abs(a.rgba[4 * i + c] - b.rgba[4 * i + c]) > tolerance) {
        ++off;
        break;
      }
    }
  }
  return all ? off / all : 0;
}

// Compares the browser's picture of a screen with the desktop's: the whole picture (for the figures),
// and the still part, which must agree: the pixels the desktop itself draws the same in two of its
// own pictures of that screen taken at other moments (`still`: the animation, the focus ring and the
// game's numbers move between them).
function compare(name, picture, still, limit) {
  writeFileSync(join(out, `${name}.png`), picture.png);
  const reference = desktop(name);
  const whole = offShare(picture, reference);
  const other = still ? desktop(still) : null;
  const unmoving = still ? offShare(reference, other) : 0;
  const part = still ? offShare(picture, reference, (i) => !moved(reference, other, i)) : whole;
  figure(`${name}: ${(whole * 100).toFixed(2)} % of all pixels off by more than 24 levels from the desktop's ` +
         `picture; ${(part * 100).toFixed(2)} % of the still ones` +
         (still ? ` (${((1 - unmoving) * 100).toFixed(1)} % of the picture is still)` : ""));
  assert.ok(part <= limit, `${name}: ${(part * 100).toFixed(2)} % of the pixels differ (at most ${limit * 100} %)`);
}

function moved(a, b, i, tolerance = 24) {
  for (let c = 0; c < 3; ++c) if (Math.abs(a.rgba[4 * i + c] - b.rgba[4 * i + c]) > tolerance) return true;
  return false;
}


// Waits until the page has shown n more frames.
async function framesPass(tab, n) {
  const now = await tab.evaluate(() => window.brakkaPage.frameTimes.length);
  await tab.waitForFunction((k) => window.brakkaPage.frameTimes.length >= k, { timeout: 10000, polling: 20 }, now + n);
}

// Whether pixel i of the picture lies inside one of the boxes, less a margin for the ring and the edges.
const inBoxes = (boxes, margin = 2) => (i) => {
  const x = i % PICTURE_W, y = Math.floor(i / PICTURE_W);
  return boxes.some(([bx, by, bw, bh]) =>
    x >= bx + margin && x < bx + bw - margin && y >= by + margin && y < by + bh - margin);
};

// Waits until the canvas shows a screen as the desktop's picture `name` does where `counted` says
// (everywhere by default); the picture.
async function untilScreen(tab, name, counted = () => true, timeout = 20000) {
  const reference = desktop(name);
  let picture;
  await until(async () => offShare(picture = await canvasPixels(tab), reference, counted) <= 0.02, timeout,
              `the ${name} screen`);
  return picture;
}

// Whole seconds of the page's main thread at work per second of the clock while `wait` runs.
async function busyShare(tab, wait) {
  const cdp = await tab.createCDPSession();
  await cdp.send("Performance.enable");
  const busy = async () => (await cdp.send("Performance.getMetrics")).metrics.find((m) => m.name === "TaskDuration").value;
  const startBusy = await busy(), startWall = Date.now();
  await wait();
  const share = (await busy() - startBusy) / ((Date.now() - startWall) / 1000);
  await cdp.detach();
  return share;
}

// The page's cards for a browser that cannot play: no WebAssembly, WebGL switched off, a download that
// fails. Each tab goes no further than the card.
test("the page says why it cannot play", async () => {
  const cases = [
    { what: "WebAssembly", prepare: () => { delete window.WebAssembly; } },
    { what: "WebGL", prepare: () => { HTMLCanvasElement.prototype.getContext = () => null; } },
    { what: "could not be downloaded", missing: "brakka.data" },
  ];
  await Promise.all(cases.map(async ({ what, prepare, missing }) => {
    const tab = await browser.newPage();
    if (prepare) await tab.evaluateOnNewDocument(prepare);
    if (missing) {
      await tab.setRequestInterception(true);
      tab.on("request", (r) => (r.url().endsWith(missing) ? r.respond({ status: 404, body: "" }) : r.continue()));
    }
    await tab.goto(server.url);
    await waitState(tab, "failed", 20000);
    const text = await tab.$eval("#failed", (card) => (card.hidden ? "" : card.textContent));
    assert.match(text, new RegExp(what), `the card names what is missing: ${text}`);
    await tab.close();
  }));
});

// One tab for the rest: the probes go into every document it loads.
let tab, log;

test("the page loads and starts on a key; the welcome screen as the desktop draws it, and its CPU share", async () => {
  for (const name of ["brakka.wasm", "brakka.js", "brakka.data"]) {
    const bytes = readFileSync(join(dir, name));
    figure(`${name}: ${statSync(join(dir, name)).size} bytes, ${gzipSync(bytes, { level: 9 }).length} gzipped`);
  }
  ({ tab, log } = await openGame(browser, server.url, pageProbes));
  await waitState(tab, "ready");
  const loaded = await tab.evaluate(() => window.brakkaPage.loaded - window.brakkaPage.loadStarted);
  await startGame(tab);
  const first = await tab.evaluate(() => window.brakkaPage.firstFrame - window.brakkaPage.runStarted);
  figure(`download of brakka.wasm and brakka.data: ${loaded.toFixed(0)} ms; start to first frame: ${first.toFixed(0)} ms`);
  assert.ok(log.some((l) => l === "Init Finalized"), "the start-up trace goes to the console");
  // The welcome screen's fade and its turning animation draw all the while.
  const share = await busyShare(tab, () => sleep(4000));
  figure(`welcome screen: main thread busy ${(share * 100).toFixed(1)} % over 4 s`);
  // The animation turns under everything: the buttons, drawn over it opaque, must agree; the whole
  // picture's difference is a figure.
  const welcome = await canvasPixels(tab);
  writeFileSync(join(out, "welcome.png"), welcome.png);
  const whole = offShare(welcome, desktop("welcome")), buttons = offShare(welcome, desktop("welcome"), inBoxes(WELCOME));
  figure(`welcome: ${(whole * 100).toFixed(2)} % of all pixels off by more than 24 levels from the desktop's ` +
         `picture (its animation turns); ${(buttons * 100).toFixed(2)} % of the buttons' pixels`);
  assert.ok(buttons <= 0.02, `welcome: ${(buttons * 100).toFixed(2)} % of the buttons' pixels differ`);
});

test("a game by the keyboard alone saves the name; the keys never reach the page", async () => {
  await focus(tab, WELCOME, CHANGE_NAME);
  await press(tab, "Enter");
  const keyboardShown = async () => pixel(await canvasPixels(tab), 174 - 8, 300) === 0x505046;
  await until(keyboardShown, 5000, "the name keyboard");
  for (const key of ["w", "e", "b", "z", "Backspace", "s"]) await press(tab, key);
  await until(async () => ringOn(await canvasPixels(tab), NAME_DONE) === 0, 3000, "the focus on DONE");
  await press(tab, "Enter");
  await until(async () => !(await keyboardShown()), 5000, "the name keyboard to close");
  await focus(tab, WELCOME, PLAY);
  await press(tab, "Enter");
  await focus(tab, MENU, MENU_QUIT);  // after the fade and the intro
  compare("main-menu", await canvasPixels(tab), null, 0.02);
  await tab.screenshot({ path: join(out, "page.png") });  // the whole page, for the documentation
  await press(tab, " ");
  await focus(tab, STATS, 0, "Tab");
  await press(tab, "Tab");  // one button: the focus stays on it
  compare("stats", await canvasPixels(tab), "high-ratings", 0.03);
  await press(tab, "Enter");
  await waitState(tab, "ended", 30000);
  assert.equal(await tab.$eval("#ended", (card) => (card.hidden ? "" : card.querySelector("p").innerText)),
               "Brakka has ended \u2014 Play again");
  // Keys that would move a page (the arrows, Tab, Backspace, the space bar) are the game's alone: a page
  // inside a portal's frame stays where it is. The space bar scrolls from its key press, which follows
  // a key down the page did not take.
  const keys = await tab.evaluate(() => window.brakkaTestKeys.map((e) => [e.type, e.key, e.defaultPrevented]));
  const untaken = keys.filter(([type, key, taken], i) => {
    if (type !== "keydown" || !/^(Arrow|Tab$|Backspace$| $)/.test(key) || taken) return false;
    const next = keys[i + 1];
    return !(key === " " && next && next[0] === "keypress" && next[1] === " " && next[2]);
  });
  const moving = keys.filter(([type, key]) => type === "keydown" && /^(Arrow|Tab$|Backspace$| $)/.test(key));
  assert.ok(new Set(moving.map(([, key]) => key.slice(0, 5))).size >= 4, `keys pressed: ${JSON.stringify(keys)}`);
  assert.deepEqual(untaken, [], "every key that moves a page is taken by the game");
  const saved = await savedFile(tab);
  assert.ok(saved, "the user data folder holds the saved table");
  assert.equal(tableOf(saved)[0][1], "WEBS");
  // "Play again" loads the page anew, which reads the table back from the browser's storage.
  await Promise.all([tab.waitForNavigation(), tab.click("#again")]);
  await startGame(tab, "touch");
  const again = await savedFile(tab);
  assert.deepEqual(again, saved);
  assert.equal(tableOf(again)[0][1], "WEBS");
});

test("a game pad moves the focus and plays; pacing on the main screen; touch and the mouse take the " +
     "buttons to a round; Esc ends it", async () => {
  // Started by a touch of the card; the pad comes after the game is up, as the browser tells of it.
  await tab.evaluate(() => window.brakkaTestPad.plug());
  const pad = (way) => padPress(tab, way > 0 ? PAD_RIGHT : PAD_LEFT);
  await focus(tab, WELCOME, PLAY + 1, pad);
  await focus(tab, WELCOME, PLAY, pad);
  await padPress(tab, PAD_A);
  await untilScreen(tab, "main-menu");  // the intro is over
  // Frame pacing over 1,000 frames there (a figure: SwiftShader draws in software).
  const from = await tab.evaluate(() => window.brakkaPage.frameTimes.length);
  const share = await busyShare(tab, () => tab.waitForFunction(
      (n) => window.brakkaPage.frameTimes.length >= n + 1001, { timeout: 120000, polling: 200 }, from));
  // (The page keeps the last 5,000 frames: all of them so far.)
  const times = await tab.evaluate((n) => window.brakkaPage.frameTimes.slice(n, n + 1001), from);
  const intervals = times.slice(1).map((t, i) => t - times[i]).sort((a, b) => a - b);
  const deviations = intervals.map((d) => Math.abs(d - 20)).sort((a, b) => a - b);
  const median = intervals[intervals.length >> 1], p99 = deviations[Math.floor(deviations.length * 0.99)];
  const span = times[times.length - 1] - times[0];
  figure(`main screen, 1000 frames: median interval ${median.toFixed(2)} ms, p99 |interval - 20 ms| ` +
         `${p99.toFixed(2)} ms, ${(1000 / (span / 1000)).toFixed(2)} frames/s; ` +
         `main thread busy ${(share * 100).toFixed(1)} %`);
  assert.equal(intervals.length, 1000);
  const [cx, cy, cw, ch] = MENU[0], [fx, fy, fw, fh] = SETUP[0];
  const tapUntil = async (x, y, name) => {
    for (let tries = 0; ; ++tries) {
      await tapPicture(tab, x, y);
      try {
        return await untilScreen(tab, name, inBoxes(SETUP), 4000);
      } catch (e) {
        if (tries === 2) throw e;
      }
    }
  };
  await tapUntil(cx + cw / 2, cy + ch / 2, "setup-order");
  await tapUntil(fx + fw / 2, fy + fh / 2, "setup-direction");
  await clickPicture(tab, fx + fw / 2, fy + fh / 2);  // the mouse as well
  // The round: the board's cells and the panel's numbers are the game's own, not the desktop's.
  const [bx0, by0, bx1, by1] = [16, 50, 516, 550], [px0, py0, px1, py1] = [540, 55, 800, 535];
  const frame = (i) => {
    const x = i % PICTURE_W, y = Math.floor(i / PICTURE_W);
    return !(x >= bx0 && x < bx1 && y >= by0 && y < by1) && !(x >= px0 && x < px1 && y >= py0 && y < py1);
  };
  const round = await untilScreen(tab, "round", frame);
  writeFileSync(join(out, "round.png"), round.png);
  const whole = offShare(round, desktop("round")), part = offShare(round, desktop("round"), frame);
  figure(`round: ${(whole * 100).toFixed(2)} % of all pixels off by more than 24 levels from the desktop's picture; ` +
         `${(part * 100).toFixed(2)} % of those outside the board and the panel`);
  const roundShare = await busyShare(tab, () => sleep(4000));
  figure(`round waiting for the player's move: main thread busy ${(roundShare * 100).toFixed(1)} % over 4 s`);
  // Esc asks first; a second one ends the program, and the page says so.
  await press(tab, "Escape");
  await until(async () => log.includes("Quit band shown"), 5000, "the quit band");
  await framesPass(tab, 3);  // the band lets the first Esc go before it takes another
  await press(tab, "Escape");
  await waitState(tab, "ended", 10000);
  assert.equal(await tab.$eval("#ended", (card) => card.hidden), false, "the ended card shows");
  await tab.close();
});
