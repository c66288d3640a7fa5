"use strict";
// "Promítat…": one exercise at a time over the whole screen, its worked solution step by step,
// a timer and the results at the end. The core keeps the view's state and rules (startProjection,
// projectionAct, projectionTick, the key map, the type sizes and where the parts stand in the
// glue); this script passes on the keys, the clicks and the clock, and draws what the core hands
// back (takeProjection, takeProjectionFrame).
(() => {
  const byId = (id) => document.getElementById(id);
  const dialog = byId("projectionDialog");
  const choice = byId("projectionKinds");
  const view = byId("projection");
  const measure = byId("projectionMeasure");
  const live = byId("projectionLive");
  // The core's action that ends the view, as projectionAct numbers Projection::Action.
  const endAction = 6;
  let core = null;
  let reference = 100;
  let state = null;
  let frame = null;
  let texts = { title: "", cells: [], perRow: 5, paused: "" };
  let clock = 0;
  let last = 0;
  let wasFullScreen = false;
  let problem = "";

  // A count as the core reads what is typed: anything but a whole number goes as 0.
  const number = (id) => core.withText(byId(id).value, (typed) => core._typedCount(typed, 0));
  // The width of a text at the reference size, in the view's face.
  function widthOf(text) {
    measure.textContent = text;
    return measure.getBoundingClientRect().width;
  }

  // The dialog's fields handed to one of the core's projection calls, the kinds as a teacher
  // lists them.
  function request(call) {
    return core.withText(core.kindChoice.chosen(choice), (kinds) =>
      core.withText(byId("projectionCode").value, (code) =>
        call(number("projectionCount"), number("projectionSeconds"), kinds, code)));
  }

  // "Promítat" only while the core accepts the request; the line above the buttons says why not.
  function showProblem() {
    core.kindChoice.showTopics(choice);
    request((...args) => core._projectionProblem(...args));
    byId("startProjection").disabled = problem !== "";
    byId("projectionProblem").textContent = problem;
    byId("projectionProblem").hidden = problem === "";
  }

  // Where the view's parts stand on this screen, as the core places them.
  function place(height) {
    core._projectionFrame(height);
    for (const [name, value] of [["--margin", `${frame.margin}px`], ["--time-above", `${frame.timeAbove}px`],
      ["--top", `${frame.exerciseTop}px`], ["--below", String(frame.stepsBelow)],
      ["--gap", String(frame.cellGap)]]) {
      view.style.setProperty(name, value);
    }
    byId("projectionCorner").style.fontSize = `${frame.cornerSize}px`;
    byId("projectionTime").style.fontSize = `${frame.timeSize}px`;
  }

  function draw() {
    const width = innerWidth;
    const height = innerHeight;
    place(height);
    view.classList.toggle("blanked", state.blanked);
    view.classList.toggle("ending", state.endScreen);
    byId("projectionCorner").textContent = `${state.corner}\n${state.codeLine}`;
    if (state.endScreen) {
      const label = Math.max(...texts.cells.map(([number]) => widthOf(number)));
      const cellWidth = label + widthOf(" ") + Math.max(...texts.cells.map(([, text]) => widthOf(text))) +
        reference * frame.cellGap;
      view.style.setProperty("--label", `${label / reference}em`);
      const size = core._projectionResultsSize(width, height, cellWidth);
      const end = byId("projectionEnd");
      end.style.fontSize = `${size}px`;
      byId("projectionResults").style.gridTemplateColumns =
        `repeat(${Math.min(texts.perRow, texts.cells.length)}, auto)`;
      byId("projectionCodeLine").textContent = state.codeLine;
    } else {
      const widest = Math.max(widthOf(state.exercise), widthOf(state.solution));
      const size = core._projectionTypeSize(width, height, widest);
      byId("projectionExercise").textContent = state.exercise;
      byId("projectionSteps").textContent = state.steps;
      for (const id of ["projectionExercise", "projectionSteps"]) byId(id).style.fontSize = `${size}px`;
      // Both lines start where the wider of exercise and solution would.
      byId("projectionExercise").parentElement.style.setProperty("--left",
        `${(width - widest * size / reference) / 2}px`);
    }
    byId("projectionTimer").hidden = !state.timed || state.endScreen;
    byId("projectionTime").textContent =
      `${state.secondsLeft} s${state.paused ? ` – ${texts.paused}` : ""}`;
    byId("projectionBar").style.width = `${state.share * 100}%`;
    if (live.textContent !== state.spoken) live.textContent = state.spoken;
  }

  function takeProjection(shown) {
    state = shown;
    if (state.finished) {
      end();
      return;
    }
    draw();
  }

  function act(code) {
    if (state && !state.finished) core._projectionAct(code);
  }

  // A key by its name, as the core's key map takes it.
  function onKey(event) {
    if (view.hidden || event.ctrlKey || event.altKey || event.metaKey) return;
    const code = core.withText(event.key, (key) => core._projectionKey(key));
    if (code < 0) return;
    event.preventDefault();
    act(code);
  }

  function tick() {
    const now = performance.now();
    core._projectionTick(Math.round(now - last));
    last = now;
  }

  function end() {
    clearInterval(clock);
    view.hidden = true;
    state = null;
    if (document.fullscreenElement) document.exitFullscreen().catch(() => {});
    byId("project").focus();
  }

  function ask() {
    byId("projectionForm").reset();
    showProblem();
    dialog.showModal();
  }

  // The view fills the window at once; full screen follows where the browser grants it, and
  // leaving full screen ends the view, since the browser keeps Esc for itself there.
  function start(event) {
    if (event.submitter?.value !== "project") return;
    if (!request((...args) => core._startProjection(...args))) {
      event.preventDefault();
      showProblem();
      return;
    }
    view.hidden = false;
    wasFullScreen = false;
    draw();
    view.focus();
    view.requestFullscreen?.().then(() => {
      wasFullScreen = true;
    }, () => {});
    last = performance.now();
    clock = setInterval(tick, 100);
  }

  byId("project").addEventListener("click", ask);
  byId("projectionForm").addEventListener("submit", start);
  // The dialog, closing after its submit, gives the focus back to the button that opened it;
  // the view started meanwhile takes it, so that keys and a screen reader stay with the view.
  dialog.addEventListener("close", () => {
    if (!view.hidden) view.focus();
  });
  byId("projectionForm").addEventListener("input", showProblem);
  choice.addEventListener("change", showProblem);
  document.addEventListener("keydown", onKey);
  view.addEventListener("click", (event) => act(core._projectionClick(event.clientX, innerWidth)));
  addEventListener("resize", () => state && draw());
  document.addEventListener("fullscreenchange", () => {
    if (!document.fullscreenElement && wasFullScreen && !view.hidden) act(endAction);
  });
  addEventListener("ciferon-ready", ({ detail }) => {
    core = detail;
    core.takeProjectionLimits = (limits, size) => {
      for (const [id, { value, min, max }] of Object.entries(limits)) {
        Object.assign(byId(id), { defaultValue: String(value), min: String(min), max: String(max) });
      }
      reference = size;
      measure.style.fontSize = `${size}px`;
    };
    core.takeProjectionProblem = (text) => {
      problem = text;
    };
    core.takeProjectionTexts = (title, cells, perRow, paused) => {
      texts = { title, cells: cells.map((cell) => cell.split("\t")), perRow, paused };
      byId("projectionResultsTitle").textContent = title;
      byId("projectionResults").replaceChildren(...texts.cells.flatMap(([label, text]) => {
        const cell = document.createElement("span");
        cell.className = "cell";
        const numberPart = document.createElement("span");
        numberPart.className = "label";
        numberPart.textContent = label;
        cell.append(numberPart, ` ${text}`);
        return [cell];
      }));
    };
    core.takeProjection = takeProjection;
    core.takeProjectionFrame = (placed) => {
      frame = placed;
    };
    core._projectionLimits();
    byId("project").disabled = false;
  });
})();
