"use strict";
// "Procvičit podle výsledků…": a new class set from the open set's results, in which each
// pupil's sheet practises the kinds that pupil got wrong or left out, or, with the box ticked,
// every sheet the class's weakest kinds. The core plans it with the dialog's words (the glue's
// showFollowUp), makes it and lays it out (makeFollowUp); results.js makes it the open set and
// downloads its file. The page only shows the plan, and refuses a set without results with
// the core's sentence.
/* global paper */
(() => {
  const byId = (id) => document.getElementById(id);
  const { element } = paper;
  const dialog = byId("followUpDialog");
  const wholeClass = byId("wholeClass");
  let core = null;

  const mode = () => (wholeClass.checked ? 1 : 0);

  // The plan as the core hands it over: its texts, and a row for each sheet with its kinds as a
  // teacher lists them, named in the cell's tooltip, and why.
  function takeFollowUp(plan) {
    byId("followUpIntro").textContent = plan.intro;
    byId("wholeClassLabel").textContent = plan.wholeClass;
    byId("followUpLegend").textContent = plan.legend;
    const head = element("tr");
    head.append(...["List", "Jméno", "Procvičí druhy", "Proč"].map((name) => element("th", "", name)));
    const body = element("tbody");
    body.append(...plan.sheets.map((sheet) => {
      const row = element("tr");
      const kinds = element("td", "kinds", sheet.kinds);
      kinds.title = sheet.kindNames.join("\n");
      row.append(element("td", "", String(sheet.number)), element("td", "", sheet.name), kinds,
        element("td", "", sheet.reason));
      return row;
    }));
    const top = element("thead");
    top.append(head);
    byId("followUpPlan").replaceChildren(top, body);
  }

  // Each pupil's own results first; the core refuses a set without any.
  function askForFollowUp() {
    wholeClass.checked = false;
    if (core._showFollowUp(0)) dialog.showModal();
  }

  // "Vytisknout…": the new sheets with their key to the browser's print dialog, once the new set
  // is the open one; the dialog stays while the teacher keeps the open set's unsaved answers.
  function printFollowUp(event) {
    if (event.submitter?.value !== "print") return;
    if (!core.adoptFollowUp(mode())) {
      event.preventDefault();
      return;
    }
    dialog.close();
    window.print();
  }

  byId("followUp").addEventListener("click", askForFollowUp);
  wholeClass.addEventListener("change", () => core._showFollowUp(mode()));
  byId("followUpForm").addEventListener("submit", printFollowUp);
  addEventListener("ciferon-ready", ({ detail }) => {
    core = detail;
    core.takeFollowUp = takeFollowUp;
  });
})();
