// The live handset's page: shows the screen as frames come, sends a person's input in order, and
// shows the host's, the network's and the recorder's state from /state.
"use strict";

const $ = (id) => document.getElementById(id);
const screen = $("screen");
let frame = 0;
let debugNext = 0;
let state = null;

function showError(message) { $("status").textContent = message || ""; }

async function send(path, body) {
  const response = await fetch(path, {
    method: "POST", headers: { "Content-Type": "application/json" }, body: JSON.stringify(body),
  });
  const answer = await response.json().catch(() => ({}));
  if (!response.ok) { showError(answer.error || `${path}: HTTP ${response.status}`); return null; }
  showError("");
  return answer;
}

// Input goes out one request at a time, so that the handset takes it in the person's order.
let inputChain = Promise.resolve();
function input(action) {
  inputChain = inputChain.then(() => send("/input", action)).then(() => refreshState());
  return inputChain;
}
function host(call) { return send("/host", call).then(() => refreshState()); }
function network(change) { return send("/network", change).then(() => refreshState()); }

// --- the screen ------------------------------------------------------------------------------
async function followFrames() {
  for (;;) {
    try {
      const response = await fetch(`/screen.png?after=${frame}`, { cache: "no-store" });
      if (!response.ok) throw new Error(`screen: HTTP ${response.status}`);
      const number = Number(response.headers.get("X-Frame"));
      const blob = await response.blob();
      // The image element knows a new picture's size only once it has decoded it; clicks meanwhile
      // are scaled by the size read here, so that none lands at a point of no size.
      const bitmap = await createImageBitmap(blob);
      screen.dataset.width = String(bitmap.width);
      screen.dataset.height = String(bitmap.height);
      bitmap.close();
      const picture = URL.createObjectURL(blob);
      const old = screen.src;
      screen.src = picture;
      screen.dataset.frame = String(number);
      if (old) URL.revokeObjectURL(old);
      // A frame not newer than the one shown means the wait ran out: ask again.
      frame = Math.max(frame, number);
    } catch (error) {
      showError(String(error.message || error));
      await new Promise((resolve) => setTimeout(resolve, 1000));
    }
  }
}

function screenPoint(event) {
  const box = screen.getBoundingClientRect();
  const width = Number(screen.dataset.width), height = Number(screen.dataset.height);
  const x = Math.floor((event.clientX - box.left) * width / box.width);
  const y = Math.floor((event.clientY - box.top) * height / box.height);
  return [Math.min(Math.max(x, 0), width - 1), Math.min(Math.max(y, 0), height - 1)];
}

// A press that stays within a few pixels is a tap; one that moves further is a drag.
let press = null;
screen.addEventListener("pointerdown", (event) => {
  event.preventDefault();
  if (!screen.dataset.width) return;  // no frame shown yet
  screen.setPointerCapture(event.pointerId);
  press = { start: screenPoint(event), dragging: false };
});
screen.addEventListener("pointermove", (event) => {
  if (!press) return;
  const point = screenPoint(event);
  if (!press.dragging && Math.hypot(point[0] - press.start[0], point[1] - press.start[1]) > 4) {
    press.dragging = true;
    input({ down: press.start });
  }
  if (press.dragging) input({ move: point });
});
screen.addEventListener("pointerup", (event) => {
  if (!press) return;
  const point = screenPoint(event);
  if (press.dragging) input({ up: point });
  else input({ tap: press.start });
  press = null;
});

// --- the phone's keys and the keyboard ---------------------------------------------------------
$("softkey1").onclick = () => input({ softkey: 1 });
$("softkey2").onclick = () => input({ softkey: 2 });
$("title-ok").onclick = () => input({ ok: true });
for (const button of document.querySelectorAll(".dpad button")) button.onclick = () => input({ key: button.dataset.key });
$("rotate").onclick = () => {
  const size = state ? state.screen : { width: 240, height: 320 };
  input({ rotate: `${size.height}x${size.width}` });
};
$("sip").onclick = () => input({ sip: !(state && state["input panel"]) });
$("switch").onclick = () => input({ switch: true });

const keyNames = { Enter: "RETURN", Escape: "ESCAPE", Tab: "TAB", ArrowUp: "UP", ArrowDown: "DOWN",
                   ArrowLeft: "LEFT", ArrowRight: "RIGHT", Backspace: "BACK" };
document.addEventListener("keydown", (event) => {
  // Typing into the panels' own fields stays there.
  if (event.target.closest("input, select, textarea") || event.ctrlKey || event.metaKey || event.altKey) return;
  if (event.key === "F1" || event.key === "F2") input({ softkey: event.key === "F1" ? 1 : 2 });
  else if (keyNames[event.key]) input({ key: keyNames[event.key] });
  else if (event.key.length === 1) input({ type: event.key });
  else return;
  event.preventDefault();
});

// --- the host's side ---------------------------------------------------------------------------
$("open-options").onclick = () => host({ call: "CreateVTOpt" });
$("led-on").onclick = () => host({ call: "TurnOnLED" });
$("led-off").onclick = () => host({ call: "TurnOffLED" });
$("battery").oninput = () => { $("battery-value").textContent = $("battery").value; };
$("battery-set").onclick = async () => {
  const answer = await send("/host", { call: "GetBattery", percent: Number($("battery").value), charging: $("charging").checked });
  if (answer) $("battery-result").textContent = `read ${answer.percent}%, flags ${answer.flags}`;
};
$("idle").onchange = () => host({ call: "AvoidSystemIdle", on: $("idle").checked, interval: Number($("idle-interval").value) });
$("size").onchange = () => host({ call: "screen", size: $("size").value });
$("large-buttons").onchange = () => host({ call: "largeButtons", on: $("large-buttons").checked });
$("language").onchange = () => host({ call: "language", language: $("language").value });

// --- the network -------------------------------------------------------------------------------
$("network-set").onclick = () => network({ failure: $("failure").value, error: Number($("error").value),
                                           latency: Number($("latency").value) });

function showNetwork(net) {
  if (!net || !net.reasons) return;
  const body = $("reasons").tBodies[0];
  for (const [reason, value] of Object.entries(net.reasons)) {
    let row = body.querySelector(`tr[data-reason="${reason}"]`);
    if (!row) {
      row = body.insertRow();
      row.dataset.reason = reason;
      row.innerHTML = `<td>${reason}</td><td><input type="checkbox"></td><td><input type="text" size="14"></td>` +
                      `<td><button>Set</button></td>`;
      const [active, number] = row.querySelectorAll("input");
      active.id = `net-${reason}-active`;
      number.id = `net-${reason}-number`;
      row.querySelector("button").id = `net-${reason}-set`;
      row.querySelector("button").onclick = () => network({ reason, active: active.checked, number: number.value });
    }
    const [active, number] = row.querySelectorAll("input");
    // What the person is editing is not overwritten by the next poll.
    if (document.activeElement !== active) active.checked = value.active;
    if (document.activeElement !== number) number.value = value.number;
  }
  if (document.activeElement !== $("failure")) $("failure").value = net.failure;
  if (document.activeElement !== $("error")) $("error").value = net.error;
  if (document.activeElement !== $("latency")) $("latency").value = net["latency ms"];
}

// --- state -------------------------------------------------------------------------------------
let refreshing = null;
function refreshState() {
  if (!refreshing) refreshing = loadState().finally(() => { refreshing = null; });
  return refreshing;
}
async function loadState() {
  const response = await fetch(`/state?since=${debugNext}`, { cache: "no-store" });
  if (!response.ok) return;
  state = await response.json();
  const size = `${state.screen.width}x${state.screen.height}`;
  if (document.activeElement !== $("size")) $("size").value = size;
  $("softlabel1").textContent = state["soft keys"][0] || "";
  $("softlabel2").textContent = state["soft keys"][1] || "";
  $("options-state").textContent = state.options.open ? `open: ${state.modal}` :
      state.options.returned === null ? "" : `closed, CreateVTOpt returned ${state.options.returned}`;
  $("led").classList.toggle("lit", state.led.lit);
  $("idle-resets").textContent = state.battery["idle timer resets"];
  $("large-buttons").checked = state["large buttons"];
  $("language").value = state.language;
  showNetwork(state.network);
  $("heard").textContent = state.worker.heard.join("\n") +
      (state.worker.record ? "\n\nrecord:\n" + JSON.stringify(state.worker.record, null, 2) : "");
  if (state.debug.lines.length) {
    $("debug").textContent += state.debug.lines.join("\n") + "\n";
    $("debug").scrollTop = $("debug").scrollHeight;
  }
  debugNext = state.debug.next;
  const scenario = await fetch("/scenario", { cache: "no-store" });
  if (scenario.ok) $("scenario").value = await scenario.text();
}

followFrames();
refreshState();
setInterval(refreshState, 500);
