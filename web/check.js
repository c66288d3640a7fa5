"use strict";
// "Zkontrolovat list podle kódu…": a pupil types the results of a sheet beside its exercises,
// numbered as on paper, and the core marks them (checkSheet, markAnswers, showCheckSolution in
// the glue). The core keeps which mark counts: once a worked solution is shown, the exercise
// counts as first evaluated. A worked solution shows only when the pupil asks for it beside a
// wrong answer. Nothing is kept and nothing is sent anywhere.
/* global paper */
(() => {
  const byId = (id) => document.getElementById(id);
  const view = byId("checkDialog");
  const list = byId("checkList");
  const summary = byId("checkSummary");
  const resultCode = byId("checkResultCode");
  let core = null;
  // Per exercise: its line, answer field(s), mark, button, solution and solution line.
  let rows = [];
  // The group being filled, and the longest exercise, which sets the lines' width.
  let group = null;
  let longest = 1;

  const { element } = paper;

  function answerField(id, markId) {
    const field = element("input");
    field.id = id;
    field.type = "text";
    field.inputMode = "numeric";
    field.autocomplete = "off";
    field.spellcheck = false;
    field.setAttribute("aria-describedby", markId);
    return field;
  }

  // One exercise: "3. 9+4+5.3+3.6=" labels its field, so a screen reader reads the exercise;
  // division with remainder has a second field, "zb.", labelled by the exercise too.
  function exerciseLine(number, exercise, solution, remainder) {
    const index = number - 1;
    const line = element("div", "checkLine");
    const label = element("label");
    label.id = `exercise${number}`;
    label.htmlFor = `answer${number}`;
    label.append(element("span", "n", `${number}.`), ` ${exercise}`);
    const row = { line, answer: answerField(`answer${number}`, `mark${number}`), remainder: null,
      mark: element("span", "mark"), show: element("button", "show", "Ukázat řešení"),
      solution: element("output", "solution"), worked: solution };
    line.append(label, row.answer);
    if (remainder) {
      const zb = element("label", "zb", "zb.");
      zb.id = `zb${number}`;
      zb.htmlFor = `remainder${number}`;
      row.remainder = answerField(`remainder${number}`, `mark${number}`);
      row.remainder.setAttribute("aria-labelledby", `exercise${number} zb${number}`);
      const pair = element("span", "remainder");
      pair.append(zb, row.remainder);
      line.append(pair);
    }
    row.mark.id = `mark${number}`;
    row.show.type = "button";
    // Each button names its exercise, as a screen reader lists them out of their lines.
    row.show.setAttribute("aria-label", `Ukázat řešení příkladu ${number}`);
    row.show.addEventListener("click", () => showSolution(index));
    row.show.hidden = true;
    row.solution.hidden = true;
    line.append(row.mark, row.show, row.solution);
    rows.push(row);
    return line;
  }

  // The sheet of a code from the core: its code, the view's words to the pupil and its honest
  // line first, then its exercises one by one (takeCheckItem), each with its worked solution,
  // whether it takes a remainder and whether its group ends after it.
  function takeCheck(code, intro, honest) {
    rows = [];
    group = null;
    longest = 1;
    list.replaceChildren();
    byId("checkedCode").textContent = code;
    byId("checkIntro").textContent = intro;
    byId("honest").textContent = honest;
    summary.textContent = "";
    resultCode.textContent = "";
  }

  function takeCheckItem(number, exercise, solution, remainder, groupEnd) {
    if (!group) list.append((group = element("div", "group")));
    group.append(exerciseLine(number, exercise, solution, remainder));
    if (groupEnd) group = null;
    longest = Math.max(longest, exercise.length);
    list.style.setProperty("--longest", longest);
  }

  // The core's marks as they count, one letter an exercise (u: not answered, r: right, w:
  // wrong, n: not readable), with their texts as the pupil sees them (a symbol and a word, the colour only
  // besides), whether each offers its worked solution (1), the summary and the line of the
  // pupil's result code ("Kód výsledku: …"). Only a changed mark touches its line; the line's
  // data-mark gives the mark's colour.
  function takeMarks(given, texts, offers, text, resultLine) {
    rows.forEach((row, index) => {
      row.show.hidden = offers[index] !== "1";
      const mark = given[index];
      if (row.line.dataset.mark === mark && row.mark.textContent === texts[index]) return;
      row.line.dataset.mark = mark;
      row.mark.textContent = texts[index];
    });
    summary.textContent = text;
    resultCode.textContent = resultLine;
  }

  // "Vyhodnotit": every field's text to the core, one a line (a text field holds no line
  // break), two for each exercise: the result and the remainder, empty where there is none.
  function evaluate() {
    const answers = rows.flatMap((row) => [row.answer.value, row.remainder?.value ?? ""]);
    core.withText(answers.join("\n"), (pointer) => core._markAnswers(pointer));
  }

  // "Ukázat řešení": the exercise's worked solution as the check writes it ("6 zb. 1"),
  // counted in the summary; the core hands the marks back as they now count.
  function showSolution(index) {
    const row = rows[index];
    if (!core._showCheckSolution(index)) return;
    row.solution.textContent = row.worked;
    row.solution.hidden = false;
    row.line.classList.add("shown");
    row.answer.focus();
  }

  // Enter goes on to the next field, and from the last one to "Vyhodnotit".
  function nextField(event) {
    if (event.key !== "Enter" || event.isComposing || event.target.tagName !== "INPUT") return;
    event.preventDefault();
    const fields = [...list.querySelectorAll("input")];
    (fields[fields.indexOf(event.target) + 1] ?? byId("evaluate")).focus();
  }

  function checkByCode() {
    const typed = window.prompt("Kód listu:", "") ?? "";
    if (typed === "") return;
    // A code that is not valid the core refuses, through the page's alert.
    if (!core.withText(typed, (pointer) => core._checkSheet(pointer))) return;
    view.showModal();
    rows[0]?.answer.focus();
  }

  list.addEventListener("keydown", nextField);
  byId("evaluate").addEventListener("click", evaluate);
  byId("closeCheck").addEventListener("click", () => view.close());
  byId("checkSheet").addEventListener("click", checkByCode);
  addEventListener("ciferon-ready", ({ detail }) => {
    core = detail;
    core.takeCheck = takeCheck;
    core.takeCheckItem = takeCheckItem;
    core.takeMarks = takeMarks;
    byId("checkSheet").disabled = false;
  });
})();
