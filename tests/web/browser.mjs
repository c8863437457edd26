// Debian's Chromium, headless, with WebGL through its software rasteriser, on a fresh profile, and
// the game's page in it: its state, its canvas's pixels and the player's keys and clicks.
import { mkdtempSync, rmSync } from "node:fs";
import { tmpdir } from "node:os";
import { join } from "node:path";
import puppeteer from "puppeteer-core";
import { decodePng } from "./png.mjs";

export const PICTURE_W = 800, PICTURE_H = 600;

export async function launchBrowser() {
  const profile = mkdtempSync(join(tmpdir(), "brakka-chromium-"));
  const browser = await puppeteer.launch({
    executablePath: process.env.BRAKKA_CHROMIUM || "/usr/bin/chromium",
    headless: true,
    userDataDir: profile,
    args: ["--no-sandbox", "--disable-gpu", "--enable-unsafe-swiftshader", "--no-first-run",
           "--disable-background-networking", "--disable-component-update", "--disable-sync", "--disable-quic",
           "--autoplay-policy=user-gesture-required", "--disable-background-timer-throttling",
           "--disable-renderer-backgrounding", "--disable-backgrounding-occluded-windows"],
  });
  return { browser, close: async () => { await browser.close(); rmSync(profile, { recursive: true, force: true }); } };
}

// A tab on the page at a size where the canvas shows the picture 1:1, on a screen that takes touch as
// well as the mouse. `prepare` runs in the tab before every document (a reload's too), before the
// page's own script.
export async function openGame(browser, url, prepare = null) {
  const tab = await browser.newPage();
  const log = [];
  tab.on("console", (m) => log.push(m.text()));
  tab.on("pageerror", (e) => log.push("page error: " + e.message));
  await tab.setViewport({ width: 1000, height: 700, hasTouch: true });
  if (prepare) await tab.evaluateOnNewDocument(prepare);
  await tab.goto(url);
  return { tab, log };
}

// Goes into a tab before the page's script (openGame's `prepare`): every key event the page gets, kept
// to be asked later whether the page took it (defaultPrevented is final once the event is handled),
// and a game pad of the standard layout behind the browser's Gamepad API, plugged in by
// brakkaTestPad.plug() and pressed by brakkaTestPad.set(button, down).
export function pageProbes() {
  window.brakkaTestKeys = [];
  for (const type of ["keydown", "keypress"])
    window.addEventListener(type, (e) => window.brakkaTestKeys.push(e));
  const pad = { id: "Test pad (STANDARD GAMEPAD)", index: 0, connected: true, mapping: "standard",
                timestamp: 1, axes: [0, 0, 0, 0],
                buttons: Array.from({ length: 17 }, () => ({ pressed: false, touched: false, value: 0 })) };
  let plugged = false;
  Object.defineProperty(Navigator.prototype, "getGamepads", {
    configurable: true, value: () => [plugged ? pad : null, null, null, null] });
  window.brakkaTestPad = {
    plug() {
      plugged = true;
      const e = new Event("gamepadconnected");
      Object.defineProperty(e, "gamepad", { value: pad });
      window.dispatchEvent(e);
    },
    set(button, down) {
      pad.buttons[button] = { pressed: down, touched: down, value: down ? 1 : 0 };
      pad.timestamp += 1;
    },
  };
}

export async function waitState(tab, state, timeout = 60000) {
  await tab.waitForFunction((s) => window.brakkaPage && window.brakkaPage.state === s, { timeout, polling: 50 }, state);
}

// Starts the game from the "Click to play" card (by a key, or a touch of the card) and waits for its
// first frame.
export async function startGame(tab, by = "key") {
  await waitState(tab, "ready");
  if (by === "key") {
    await tab.keyboard.press("Shift");
  } else {
    const box = await (await tab.$("#start")).boundingBox();
    await tab.touchscreen.tap(box.x + box.width / 2, box.y + box.height / 2);
  }
  await waitState(tab, "running");
  await tab.waitForFunction(() => window.brakkaPage.frameTimes.length > 0, { timeout: 60000, polling: 50 });
}

// The canvas as the player sees it, 800 x 600 RGBA.
export async function canvasPixels(tab) {
  const canvas = await tab.$("#canvas");
  const box = await canvas.boundingBox();
  if (Math.round(box.width) !== PICTURE_W || Math.round(box.height) !== PICTURE_H)
    throw new Error(`the canvas shows ${box.width} x ${box.height}, not the picture 1:1`);
  const png = Buffer.from(await tab.screenshot({ clip: { x: box.x, y: box.y, width: PICTURE_W, height: PICTURE_H } }));
  return { png, ...decodePng(png) };
}

export function pixel(picture, x, y) {
  const i = 4 * (y * picture.width + x);
  return (picture.rgba[i] << 16) | (picture.rgba[i + 1] << 8) | picture.rgba[i + 2];
}

// Clicks a point of the picture (the canvas shows it 1:1).
export async function clickPicture(tab, x, y) {
  const box = await (await tab.$("#canvas")).boundingBox();
  await tab.mouse.click(box.x + x, box.y + y, { delay: 60 });
}

// Touches a point of the picture (the canvas shows it 1:1) as a finger does.
export async function tapPicture(tab, x, y) {
  const box = await (await tab.$("#canvas")).boundingBox();
  await tab.touchscreen.tap(box.x + x, box.y + y);
}

export async function until(test, timeout, what) {
  const end = Date.now() + timeout;
  for (;;) {
    if (await test()) return;
    if (Date.now() > end) throw new Error(`timed out waiting for ${what}`);
    await new Promise((r) => setTimeout(r, 40));
  }
}
