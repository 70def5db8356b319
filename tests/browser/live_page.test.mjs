// The live page in a real browser: Debian's Chromium, headless, driven by Playwright. A person's
// session by clicks on the screen image and typing: the options screen opened from the host
// panel, the Forwarding tab, the forwarding flow against the simulated network, a rotation; the
// recorded scenario downloaded and replayed by `vlmhost options --script` to the same end state.
//   node live_page.test.mjs VLMHOST [SCREENSHOT.png]
// Exits 77 (skipped) when Chromium is not installed.
import { spawn, spawnSync } from "node:child_process";
import { existsSync, mkdtempSync, readFileSync, rmSync } from "node:fs";
import { tmpdir } from "node:os";
import { join } from "node:path";
import assert from "node:assert/strict";

const [vlmhost, screenshot] = process.argv.slice(2);
const browserPath = process.env.CHROMIUM || "/usr/bin/chromium";
if (!existsSync(browserPath)) {
  console.log(`skipped: no Chromium at ${browserPath} (Debian package chromium)`);
  process.exit(77);
}
let chromium;
try {
  ({ chromium } = await import("playwright-core"));
} catch {
  console.log("skipped: the npm packages are not installed (scripts/browser-setup)");
  process.exit(77);
}

const scratch = mkdtempSync(join(tmpdir(), "vlmhost-browser-"));
const liveDevice = join(scratch, "live-device");
const replayDevice = join(scratch, "replay-device");

function vlmhostJson(device, ...args) {
  const run = spawnSync(vlmhost, ["--device", device, "--json", ...args], { encoding: "utf8" });
  assert.equal(run.status, 0, `vlmhost ${args.join(" ")}: ${run.stderr}`);
  return JSON.parse(run.stdout);
}

// Both phones begin alike: a network that answers quickly.
for (const device of [liveDevice, replayDevice]) vlmhostJson(device, "network", "latency", "100");

const live = spawn(vlmhost, ["--device", liveDevice, "live", "--port", "0"], { stdio: ["ignore", "pipe", "inherit"] });
const address = await new Promise((resolve, reject) => {
  let text = "";
  live.stdout.on("data", (chunk) => {
    text += chunk;
    if (text.includes("\n")) resolve(text.split("\n")[0].trim());
  });
  live.on("exit", (code) => reject(new Error(`vlmhost live ended (${code}) before it served`)));
});
const liveEnded = new Promise((resolve) => live.on("exit", (code, signal) => resolve(code ?? signal)));

const browser = await chromium.launch({ executablePath: browserPath, headless: true, args: ["--no-sandbox"] });
try {
  const context = await browser.newContext({ viewport: { width: 1280, height: 860 }, acceptDownloads: true });
  const page = await context.newPage();
  page.on("pageerror", (error) => { throw error; });
  await page.goto(address);

  const state = async () => (await page.request.get(`${address}state`)).json();
  const until = async (what, holds, limit = 15000) => {
    const deadline = Date.now() + limit;
    for (;;) {
      const now = await state();
      if (holds(now)) return now;
      if (Date.now() > deadline) throw new Error(`waited in vain for ${what}; up: ${now.modal}`);
      await new Promise((resolve) => setTimeout(resolve, 50));
    }
  };
  const control = (s, id) => s.windows.find((w) => w.id === id);
  // A click on the screen image at a screen point, scaled as the page shows the screen.
  const screen = page.locator("#screen");
  const clickScreen = async (x, y) => {
    await page.waitForFunction(() => document.getElementById("screen").dataset.width);
    const box = await screen.boundingBox();
    const size = await screen.evaluate((img) => [Number(img.dataset.width), Number(img.dataset.height)]);
    await page.mouse.click(box.x + (x + 0.5) * box.width / size[0], box.y + (y + 0.5) * box.height / size[1]);
  };
  const clickControl = async (id) => {
    const s = await until(`control ${id}`, (now) => control(now, id));
    const [left, top, right, bottom] = control(s, id).rect;
    await clickScreen(Math.floor((left + right) / 2), Math.floor((top + bottom) / 2));
  };

  await page.click("#open-options");
  let now = await until("the options screen", (s) => s.windows.some((w) => w.class === "SysTabControl32"));
  // The page shows the soft keys from its own reading of the state, which may come a moment later.
  await page.waitForFunction(() => document.getElementById("softlabel1").textContent === "OK");

  // The Forwarding tab, in the middle of the sheet's three tabs.
  const tabs = now.windows.find((w) => w.class === "SysTabControl32").rect;
  await clickScreen(Math.floor((tabs[0] + tabs[2]) / 2), Math.floor((tabs[1] + tabs[3]) / 2));
  await clickControl(7205);  // query the network, then the forwarding settings open
  await until("the forwarding settings", (s) => control(s, 1053));
  // As a person does, each click waits for what the one before it did: the box ticked enables the
  // number, the number clicked takes the focus.
  await clickControl(1023);
  await until("the number enabled", (s) => control(s, 1053)?.enabled);
  await clickControl(1053);
  await until("the number focused", (s) => s.focus === 1053);
  await page.keyboard.type("5550100");
  now = await until("the number typed", (s) => control(s, 1053)?.text === "5550100");
  await page.click("#title-ok");  // the title bar's OK: the change goes to the network
  now = await until("the change stored by the network",
                    (s) => Object.values(s.network.reasons).some((r) => r.active && r.number === "5550100"));

  // Turned: the screen image follows at the new size.
  await until("the forwarding page again", (s) => !control(s, 1053) && control(s, 7205));
  await page.click("#rotate");
  await until("the turned screen", (s) => s.screen.width === 320 && s.screen.height === 240);
  await page.waitForFunction(() => document.getElementById("screen").dataset.width === "320");
  await page.waitForFunction(() => document.getElementById("scenario").value.includes("rotate 320x240"));
  if (screenshot) await page.screenshot({ path: screenshot });

  await page.click("#softkey1");  // OK: the sheet closes and stores its record
  now = await until("the sheet closed", (s) => s.modal === "none" && s.options.returned === 1);
  assert.ok(now.worker.heard.some((n) => n.startsWith("0x0914")), `heard: ${now.worker.heard}`);

  const [download] = await Promise.all([page.waitForEvent("download"), page.click("#download")]);
  const scenarioFile = join(scratch, "live.scenario");
  await download.saveAs(scenarioFile);
  const scenario = readFileSync(scenarioFile, "utf8");
  for (const line of ['tab "Forwarding"', "tap 7205", "expect dialog 7306", "type 1053 \"5550100\"", "rotate 320x240"])
    assert.ok(scenario.includes(line), `the scenario lacks ${line}:\n${scenario}`);
  console.log(scenario);
} finally {
  await browser.close();
  live.kill("SIGINT");
}
assert.equal(await liveEnded, 0, "vlmhost live ends with 0 on SIGINT");

// The replay on a phone that began alike reaches the same network and the same record.
const replay = vlmhostJson(replayDevice, "options", "--script", join(scratch, "live.scenario"), "--timeout", "60");
const liveNetwork = vlmhostJson(liveDevice, "network", "show");
const replayNetwork = vlmhostJson(replayDevice, "network", "show");
assert.deepEqual(replayNetwork.reasons, liveNetwork.reasons);
assert.deepEqual(replay.record, vlmhostJson(liveDevice, "vtopt", "get"));
rmSync(scratch, { recursive: true, force: true });
console.log("1 passed, 0 failed");
