"use strict";
// The page's four commands. Generuj runs the core's own generation run in the WebAssembly
// module that the script above defines (the factory Ciferon); the page gives it the
// browser's prompt to ask with and its two fields to show the lists in.
(() => {
  const crlf = "\r\n";
  const confirmation = "Přejete si opravdu odsah pole odstranit";
  const byId = (id) => document.getElementById(id);
  const form = byId("Form1");
  const exercises = byId("Text1_0");
  const solutions = byId("Text1_1");
  const staging = byId("Text2");

  // Paper shows what the fields hold, edits included; a text area prints only what it shows.
  function mirror() {
    byId("printExercises").textContent = exercises.value;
    byId("printSolutions").textContent = solutions.value;
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
    const restart = byId("restart");
    restart.href = location.href.split("#")[0];
    byId("ended").hidden = false;
    restart.focus();
    window.close();
  }

  byId("Command2").addEventListener("click", copyToClipboard);
  byId("Command3").addEventListener("click", clearFields);
  byId("Command4").addEventListener("click", quit);
  exercises.addEventListener("input", mirror);
  solutions.addEventListener("input", mirror);

  const generate = byId("Command1");
  Promise.resolve()
    .then(() =>
      Ciferon({
        // A cancelled prompt is the empty answer.
        askNumber: (question, defaultAnswer) => window.prompt(question, defaultAnswer) ?? "",
        showResults(exerciseList, solutionList) {
          exercises.value = exerciseList;
          solutions.value = solutionList;
          mirror();
        },
      }),
    )
    .then((module) => {
      generate.addEventListener("click", () => module._generate());
      generate.disabled = false;
      generate.focus();
      performance.mark("ciferon-ready");
    })
    .catch(() => {
      byId("unsupported").hidden = false;
    });
})();
