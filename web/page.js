"use strict";
// The page's commands: the window's four and those that print, whose printout paper.js lays
// out. Generuj runs the core's own generation run in the WebAssembly module that the script
// above defines (the factory Ciferon); the page gives it the browser's prompt to ask with and
// its two fields to show the lists in. Sheets, their codes and class sets come from the same
// core.
/* global Ciferon, paper */
(() => {
  const crlf = "\r\n";
  const confirmation = "Přejete si opravdu odsah pole odstranit";
  const byId = (id) => document.getElementById(id);
  const form = byId("Form1");
  const exercises = byId("Text1_0");
  const solutions = byId("Text1_1");
  const staging = byId("Text2");
  const dialog = byId("classSetDialog");
  const download = document.createElement("a");
  let core = null;
  // The sheets the core hands over, in turn.
  let received = [];

  // Paper shows what the fields hold, edits included, laid out by the core as the desktop
  // prints them.
  function mirror() {
    if (!core) return;
    withText(exercises.value, (exerciseList) =>
      withText(solutions.value, (solutionList) => core._printLists(exerciseList, solutionList)));
  }

  // A field's text with CR LF line breaks, as the run wrote it: text areas hand back LF only.
  function fieldText(field) {
    return field.value.replace(/\n/g, crlf);
  }

  // Where the clipboard API is missing or refused: select the staged text and copy it, the
  // copy event carrying the exact text (a text area's selection would lose the CRs).
  function copyBySelection(text) {
    const putText = (event) => {
      event.clipboardData.setData("text/plain", text);
      event.preventDefault();
    };
    const focused = document.activeElement;
    staging.value = text;
    staging.select();
    document.addEventListener("copy", putText);
    try {
      document.execCommand("copy");
    } finally {
      document.removeEventListener("copy", putText);
      focused?.focus();
    }
  }

  // Command2: the exercise list, a line break and the solution list; nothing when the
  // exercise field is empty.
  async function copyToClipboard() {
    staging.value = "";
    if (exercises.value === "") {
      return;
    }
    const text = fieldText(exercises) + crlf + fieldText(solutions);
    try {
      await navigator.clipboard.writeText(text);
    } catch {
      copyBySelection(text);
    }
  }

  // Command3: empties both fields once the user confirms.
  function clearFields() {
    if (window.confirm(confirmation)) {
      exercises.value = "";
      solutions.value = "";
      mirror();
    }
  }

  // Command4: ends the program at once, nothing asked. A tab that the browser lets a page
  // close goes away; otherwise one line says so, with a link that starts the program again.
  function quit() {
    exercises.value = "";
    solutions.value = "";
    mirror();
    form.hidden = true;
    dialog.close();
    const restart = byId("restart");
    restart.href = location.href.split("#")[0];
    byId("ended").hidden = false;
    restart.focus();
    window.close();
  }

  // Hands a text to the core as a C string for the length of one call.
  function withText(text, call) {
    const size = core.lengthBytesUTF8(text) + 1;
    const pointer = core._malloc(size);
    if (!pointer) return 0;
    try {
      core.stringToUTF8(text, pointer, size);
      return call(pointer);
    } finally {
      core._free(pointer);
    }
  }

  // Whether both fields still hold the sheet opened by its code unedited, as the core decides.
  function openedUnedited() {
    return withText(exercises.value, (exerciseList) =>
      withText(solutions.value, (solutionList) => core._openedUnedited(exerciseList, solutionList))) === 1;
  }

  // "Tisk…": the fields as they stand, or the sheet opened by its code with its key, laid out
  // adapted when "Upravený list" is ticked.
  function printFields() {
    if (openedUnedited()) {
      core._printOpened(byId("adaptedPrint").checked ? 1 : 0);
    } else {
      mirror();
    }
    window.print();
  }

  // "Otevřít list podle kódu…": a valid code fills both fields with its sheet, once the teacher
  // confirms the core's question when the fields hold the teacher's edits.
  function openByCode() {
    const typed = window.prompt("Kód listu:", "") ?? "";
    if (typed === "") return;
    received = [];
    // A code that is not valid the core refuses, through the page's alert.
    const opens = withText(typed, (pointer) =>
      withText(fieldText(exercises), (exerciseList) =>
        withText(fieldText(solutions), (solutionList) => core._openSheet(pointer, exerciseList, solutionList))));
    if (!opens) return;
    const [opened] = received;
    exercises.value = opened.exercises;
    solutions.value = opened.solutions;
    mirror();
  }

  // "Nápověda": the core's short help, written into the dialog the first time.
  function showHelp() {
    if (!byId("helpText").hasChildNodes()) core._help();
    byId("helpDialog").showModal();
  }

  // The kind choice of a class set: a fieldset for each of the core's topics, its legend a box
  // that ticks or clears the topic's kinds, and every kind with its teacher's number (kind + 1),
  // its name and an example, as the core hands them over (takeKind), topic by topic.
  // The class-set dialog and the projection dialog each have one, built alike; the ids of the
  // second are prefixed with its data-ids.
  const { element } = paper;
  const kindChoice = byId("kinds");
  const kindChoices = [...document.querySelectorAll(".kindChoice")];
  const kindBoxes = (choice) => [...choice.querySelectorAll(".kind input")];
  // The ticked kinds as a teacher lists them ("1,4,14"), for the core to read.
  const chosenKinds = (choice = kindChoice) =>
    kindBoxes(choice)
      .filter((box) => box.checked)
      .map((box) => box.value)
      .join(",");

  function addKindTo(choice, topic, kind, number, name, example) {
    const id = (name) => `${choice.dataset.ids ?? ""}${name}${kind}`;
    let fieldset = choice.lastElementChild;
    if (fieldset.dataset.topic !== topic) {
      fieldset = element("fieldset", "topic");
      fieldset.dataset.topic = topic;
      const legend = element("legend");
      const label = element("label");
      const topicBox = element("input");
      topicBox.type = "checkbox";
      topicBox.defaultChecked = true;
      label.append(topicBox, ` ${topic}`);
      legend.append(label);
      fieldset.append(legend);
      choice.append(fieldset);
    }
    const row = element("div", "kind");
    const box = element("input");
    box.type = "checkbox";
    box.id = id("kind");
    box.value = String(number);
    box.defaultChecked = true;
    box.setAttribute("aria-describedby", id("example"));
    const label = element("label");
    label.htmlFor = box.id;
    label.append(element("span", "kn", String(number)), ` ${name}`);
    const shown = element("span", "example", example);
    shown.id = id("example");
    row.append(box, label, shown);
    fieldset.append(row);
  }

  function addKind(topic, kind, number, name, example) {
    for (const choice of kindChoices) addKindTo(choice, topic, kind, number, name, example);
  }

  // The dialog's settings handed to one of the core's class-set calls: the numbers, the kinds
  // as a teacher's list, the heading and the adapted sheets as typed, and their count.
  function withSettings(call) {
    // A count as the core reads what is typed: anything but a whole number goes as 0, which
    // the core's check refuses with its range.
    const number = (id) => withText(byId(id).value, (typed) => core._typedCount(typed, 0));
    return withText(chosenKinds(), (kinds) =>
      withText(byId("heading").value.trim(), (heading) =>
        withText(byId("adapted").value, (adapted) =>
          call(number("sheets"), number("count"), number("separator"), kinds, heading, adapted,
            chosenAdaptedCount()))));
  }

  // The adapted sheets' count as the core takes it: 0 while it follows the set's or there are no
  // adapted sheets; an empty or unreadable count is out of range, not the default.
  function chosenAdaptedCount() {
    return withText(adaptedCount.value, (typed) => withText(byId("adapted").value, (adapted) =>
      core._adaptedCountSetting(adaptedCountFollows ? 1 : 0, typed, adapted)));
  }

  // The adapted sheets' count goes up to the set's and follows it until the teacher sets it;
  // without adapted sheets it means nothing: the core's rules.
  const adaptedCount = byId("adaptedCount");
  let adaptedCountFollows = true;
  function followCount(event) {
    const count = byId("count");
    if (event?.target === adaptedCount) {
      adaptedCountFollows = withText(adaptedCount.value, (typed) => withText(count.value, (set) =>
        core._adaptedCountFollows(adaptedCountFollows ? 1 : 0, typed, set))) === 1;
    }
    adaptedCount.max = count.value;
    if (adaptedCountFollows) adaptedCount.value = count.value;
    adaptedCount.disabled = withText(byId("adapted").value, core._adaptedSheetsListed) !== 1;
  }

  // Every topic's box ticked, cleared or partly ticked as the core says for its kinds.
  function showTopics(choice) {
    const topics = [...choice.querySelectorAll(".topic")];
    withText(chosenKinds(choice), (kinds) => topics.forEach((topic, index) => {
      const state = core._topicState(kinds, index);
      const topicBox = topic.querySelector("legend input");
      topicBox.checked = state === 2;
      topicBox.indeterminate = state === 1;
    }));
  }

  // While the core's check refuses the class set's settings, it cannot be printed and the line
  // under the choice says why (takeProblem).
  function showKindChoice() {
    showTopics(kindChoice);
    const refused = !withSettings(core._checkClassSet);
    for (const id of ["printSheets", "saveDocx", "saveOdt"]) byId(id).disabled = refused;
  }

  function showProblem(text) {
    byId("noKinds").textContent = text;
    byId("noKinds").hidden = text === "";
  }

  // A topic's box ticks or clears its kinds as the core decides; the kinds come back as bits,
  // bit k for kind k (the teacher's number k + 1).
  function tickTopic(event) {
    const choice = event.currentTarget;
    const topic = event.target.closest("legend")?.parentElement;
    if (topic) {
      const index = [...choice.querySelectorAll(".topic")].indexOf(topic);
      const chosen = withText(chosenKinds(choice), (kinds) => core._clickTopic(kinds, index));
      for (const box of topic.querySelectorAll(".kind input")) {
        box.checked = ((chosen >> (Number(box.value) - 1)) & 1) === 1;
      }
    }
    showTopics(choice);
  }

  function askForClassSet() {
    byId("classSetForm").reset();
    adaptedCountFollows = true;
    followCount();
    showKindChoice();
    dialog.showModal();
  }

  // "Vytisknout…": a class set from the core, laid out, then the browser's print dialog.
  // "Uložit jako DOCX" and "… ODT": the class set as an editable document, downloaded.
  function printClassSet(event) {
    const format = ["docx", "odt"].indexOf(event.submitter?.value);
    if (event.submitter?.value !== "print" && format < 0) return;
    const duplex = byId("duplex").checked ? 1 : 0;
    const mistakes = byId("mistakes").checked ? 1 : 0;
    if (!withSettings((...settings) => core._classSet(...settings, duplex, mistakes))) return;
    // The set printed is the page's open set from now on, saved as a file when ticked.
    core.adoptClassSet(byId("saveNewSet").checked);
    if (format >= 0) {
      core._saveDocument(format);
      dialog.close();
      return;
    }
    core._printSheets();
    dialog.close();
    window.print();
  }

  // An address ending in "#print=CODE,CODE…" (with "&heading=…", "&duplex=1", "&mistakes=1"
  // and "&adapted=2,3" where wanted) lays out a class set of exactly these codes for the
  // browser's Print, as the command line's --codes does: the same sheets, the same pages. The
  // core reads the address and refuses what --codes refuses, through the page's alert; then
  // nothing of it is laid out, and Print gives the fields.
  function printFromAddress() {
    if (withText(location.hash.slice(1), (fragment) => core._printAddress(fragment)) < 0) mirror();
  }

  byId("Command2").addEventListener("click", copyToClipboard);
  byId("Command3").addEventListener("click", clearFields);
  byId("Command4").addEventListener("click", quit);
  exercises.addEventListener("input", mirror);
  solutions.addEventListener("input", mirror);
  byId("printFields").addEventListener("click", printFields);
  byId("classSet").addEventListener("click", askForClassSet);
  byId("openCode").addEventListener("click", openByCode);
  byId("help").addEventListener("click", showHelp);
  byId("closeHelp").addEventListener("click", () => byId("helpDialog").close());
  byId("classSetForm").addEventListener("submit", printClassSet);
  for (const choice of kindChoices) choice.addEventListener("change", tickTopic);
  kindChoice.addEventListener("change", showKindChoice);
  // The numbers and the heading as they are typed; the kinds have their own handlers, which must
  // see a topic's box as clicked before the boxes are shown again.
  byId("classSetForm").addEventListener("input", (event) => {
    if (kindChoice.contains(event.target)) return;
    followCount(event);
    showKindChoice();
  });
  // Once printed, the browser's own Print gives the fields again.
  addEventListener("afterprint", mirror);

  // The core's WebAssembly, which the page holds gzip-compressed in its data block (less than
  // half its size), unpacked by the browser's own decompression.
  async function coreBinary() {
    const packed = Uint8Array.from(atob(byId("core").textContent), (c) => c.charCodeAt(0));
    const stream = new Blob([packed]).stream().pipeThrough(new DecompressionStream("gzip"));
    return new Uint8Array(await new Response(stream).arrayBuffer());
  }

  const generate = byId("Command1");
  coreBinary()
    .then((wasmBinary) =>
      Ciferon({
        wasmBinary,
        // A cancelled prompt is the empty answer.
        askNumber: (question, defaultAnswer) => window.prompt(question, defaultAnswer) ?? "",
        showResults(exerciseList, solutionList) {
          exercises.value = exerciseList;
          solutions.value = solutionList;
          mirror();
        },
        takeSheet(code, exerciseList, solutionList) {
          received.push({ code, exercises: exerciseList, solutions: solutionList });
        },
        // The core's layout of sheets and their key, and of the fields, drawn as it stands.
        takeLayout: paper.drawLayout,
        takeListsLayout: paper.drawLists,
        // The class-set dialog's defaults and maxima and the heading's length, the core's.
        takeLimits({ headingMax, headingLabel, ...numbers }) {
          for (const [id, { value, max }] of Object.entries(numbers)) {
            Object.assign(byId(id), { defaultValue: String(value), max: String(max) });
          }
          byId("heading").maxLength = headingMax;
          byId("headingLabel").textContent = headingLabel;
          adaptedCount.defaultValue = String(numbers.count.value);
        },
        takeKind: addKind,
        // An editable document of the class set, downloaded under its name.
        takeDocument(bytes, name, type) {
          URL.revokeObjectURL(download.href);
          download.href = URL.createObjectURL(new Blob([bytes], { type }));
          download.download = name;
          download.click();
        },
        takeProblem: showProblem,
        // The core's refusal of a code or of a print address, as the page says it.
        refuse: (text) => window.alert(text),
        confirm: (question) => window.confirm(question),
        // The help's sections, as the core hands them over for "Nápověda".
        takeHelp(title, text) {
          byId("helpText").append(paper.element("h3", "", title), paper.element("p", "", text));
        },
      }),
    )
    .then((module) => {
      core = module;
      // The check view hands its texts to the core the same way.
      core.withText = withText;
      // The projection dialog's kind choice works as the class set's.
      core.kindChoice = { chosen: chosenKinds, showTopics };
      module._classSetLimits();
      module._kindChoice();
      generate.addEventListener("click", () => module._generate());
      generate.disabled = false;
      byId("classSet").disabled = false;
      byId("openCode").disabled = false;
      byId("help").disabled = false;
      generate.focus();
      mirror();
      printFromAddress();
      addEventListener("hashchange", printFromAddress);
      performance.mark("ciferon-ready");
      dispatchEvent(new CustomEvent("ciferon-ready", { detail: module }));
    })
    .catch(() => {
      byId("unsupported").hidden = false;
    });
})();
