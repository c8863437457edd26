// The browser build played in headless Chromium: a game by the keyboard alone whose high rating is
// kept by the browser across a reload, the screens compared with the desktop's pictures, a game that
// ends on Esc, and the figures (load time, frame pacing, CPU share). scripts/test-web.sh runs it:
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
import { launchBrowser, openGame, startGame, waitState, canvasPixels, pixel, until, PICTURE_W, PICTURE_H }
  from "./browser.mjs";
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

async function press(tab, key) {
  await tab.keyboard.down(key);
  await new Promise((r) => setTimeout(r, 90));
  await tab.keyboard.up(key);
  await new Promise((r) => setTimeout(r, 90));
}

// Moves the ring onto buttons[target] as a player would, waiting for each press to show.
async function focus(tab, buttons, target, next = "ArrowRight") {
  for (let tries = 0; tries < 40; ++tries) {
    const at = ringOn(await canvasPixels(tab), buttons);
    if (at === target) return;
    await press(tab, at > target ? "ArrowLeft" : next);
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

test("the page loads, starts on a key and draws the welcome screen as the desktop does", async () => {
  const { tab, log } = await openGame(browser, server.url);
  await waitState(tab, "ready");
  const loaded = await tab.evaluate(() => window.brakkaPage.loaded - window.brakkaPage.loadStarted);
  await startGame(tab);
  const first = await tab.evaluate(() => window.brakkaPage.firstFrame - window.brakkaPage.runStarted);
  figure(`download of brakka.wasm and brakka.data: ${loaded.toFixed(0)} ms; start to first frame: ${first.toFixed(0)} ms`);
  await new Promise((r) => setTimeout(r, 1500));
  const welcome = await canvasPixels(tab);
  // The welcome screen's animation turns under everything: its buttons, drawn over it opaque, must
  // agree; the whole picture's difference is a figure.
  const inButtons = (i) => {
    const x = i % PICTURE_W, y = Math.floor(i / PICTURE_W);
    return WELCOME.some(([bx, by, bw, bh]) => x >= bx + 2 && x < bx + bw - 2 && y >= by + 2 && y < by + bh - 2);
  };
  writeFileSync(join(out, "welcome.png"), welcome.png);
  const whole = offShare(welcome, desktop("welcome")), buttons = offShare(welcome, desktop("welcome"), inButtons);
  figure(`welcome: ${(whole * 100).toFixed(2)} % of all pixels off by more than 24 levels from the desktop's ` +
         `picture (its animation turns); ${(buttons * 100).toFixed(2)} % of the buttons' pixels`);
  assert.ok(buttons <= 0.02, `welcome: ${(buttons * 100).toFixed(2)} % of the buttons' pixels differ`);
  const share = await busyShare(tab, () => new Promise((r) => setTimeout(r, 5000)));
  figure(`welcome screen: main thread busy ${(share * 100).toFixed(1)} % over 5 s`);
  assert.ok(log.some((l) => l === "Init Finalized"), "the start-up trace goes to the console");
  await tab.close();
});

test("a game by the keyboard alone saves the name, and a reload keeps it", async () => {
  const { tab } = await openGame(browser, server.url);
  await startGame(tab);
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
  await press(tab, "Enter");
  await focus(tab, STATS, 0, "Tab");
  compare("stats", await canvasPixels(tab), "high-ratings", 0.03);
  await press(tab, "Enter");
  await waitState(tab, "ended", 30000);
  const saved = await savedFile(tab);
  assert.ok(saved, "the user data folder holds the saved table");
  assert.equal(tableOf(saved)[0][1], "WEBS");
  // A new visit reads the table back from the browser's storage.
  await tab.reload();
  await startGame(tab);
  const again = await savedFile(tab);
  assert.deepEqual(again, saved);
  assert.equal(tableOf(again)[0][1], "WEBS");
  await tab.close();
});

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

test("a round drawn as the desktop draws it, and Esc in it ends the game", async () => {
  const { tab } = await openGame(browser, server.url);
  await startGame(tab);
  await press(tab, "Enter");  // PLAY
  await focus(tab, MENU, 0);  // CONTINUE
  await press(tab, "Enter");
  for (const step of ["order", "direction"]) {
    await new Promise((r) => setTimeout(r, 1500));  // the set-up screen comes up
    await focus(tab, SETUP, 0);
    await press(tab, "Enter");
  }
  // The round: the board's cells and the panel's numbers are the game's own, not the desktop's.
  await new Promise((r) => setTimeout(r, 2500));
  const round = await canvasPixels(tab);
  const [bx0, by0, bx1, by1] = [16, 50, 516, 550], [px0, py0, px1, py1] = [540, 55, 800, 535];
  const frame = (i) => {
    const x = i % PICTURE_W, y = Math.floor(i / PICTURE_W);
    return !(x >= bx0 && x < bx1 && y >= by0 && y < by1) && !(x >= px0 && x < px1 && y >= py0 && y < py1);
  };
  writeFileSync(join(out, "round.png"), round.png);
  const whole = offShare(round, desktop("round")), part = offShare(round, desktop("round"), frame);
  figure(`round: ${(whole * 100).toFixed(2)} % of all pixels off by more than 24 levels from the desktop's picture; ` +
         `${(part * 100).toFixed(2)} % of those outside the board and the panel`);
  assert.ok(part <= 0.02, `round: ${(part * 100).toFixed(2)} % of the frame's pixels differ`);
  const share = await busyShare(tab, () => new Promise((r) => setTimeout(r, 5000)));
  figure(`round waiting for the player's move: main thread busy ${(share * 100).toFixed(1)} % over 5 s`);
  await press(tab, "Escape");
  await waitState(tab, "ended", 10000);
  await tab.close();
});

test("Esc ends the game and the page says so", async () => {
  const { tab } = await openGame(browser, server.url);
  await startGame(tab);
  await press(tab, "Escape");
  await waitState(tab, "ended", 10000);
  assert.equal(await tab.evaluate(() => document.getElementById("ended").hidden), false);
  await tab.close();
});

// Figures only: how fast a page plays depends on the machine (SwiftShader draws in software).
test("figures: sizes, and frame pacing over 1,000 frames on the main screen", async () => {
  for (const name of ["brakka.wasm", "brakka.js", "brakka.data"]) {
    const bytes = readFileSync(join(dir, name));
    figure(`${name}: ${statSync(join(dir, name)).size} bytes, ${gzipSync(bytes, { level: 9 }).length} gzipped`);
  }
  const { tab } = await openGame(browser, server.url);
  await startGame(tab);
  await press(tab, "Enter");  // PLAY
  await focus(tab, MENU, 0);
  const startFrames = await tab.evaluate(() => window.brakkaPage.frameTimes.length);
  const share = await busyShare(tab, () => tab.waitForFunction(
      (n) => window.brakkaPage.frameTimes.length >= n + 1001, { timeout: 300000, polling: 200 }, startFrames));
  const times = await tab.evaluate(() => window.brakkaPage.frameTimes.slice(-1001));
  const intervals = times.slice(1).map((t, i) => t - times[i]).sort((a, b) => a - b);
  const deviations = intervals.map((d) => Math.abs(d - 20)).sort((a, b) => a - b);
  const median = intervals[intervals.length >> 1], p99 = deviations[Math.floor(deviations.length * 0.99)];
  const span = times[times.length - 1] - times[0];
  figure(`main screen, 1000 frames: median interval ${median.toFixed(2)} ms, p99 |interval - 20 ms| ` +
         `${p99.toFixed(2)} ms, ${(1000 / (span / 1000)).toFixed(2)} frames/s; main thread busy ${(share * 100).toFixed(1)} %`);
  assert.equal(intervals.length, 1000);
  await tab.close();
});
