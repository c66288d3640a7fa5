"use strict";
// The page's paper: what the browser prints. Either the two fields as they stand, or sheets
// with their key, each as the core laid them out (the glue's printLists and printSheets hand
// the layout over): every page a box of A4 less its margins, every text
// and rule at the place in pt that the core gave it, in the faces the core measured with
// (Liberation Serif and Sans, or the metric-compatible Times New Roman and Arial). No break
// is decided here. Browsers print a page no wider than the paper at 100 % by default.
/* exported paper */
const paper = (() => {
  const byId = (id) => document.getElementById(id);

  // An element with its class and text, for the printout and the page's own dialogs.
  function element(tag, className, text) {
    const made = document.createElement(tag);
    if (className) made.className = className;
    if (text !== undefined) made.textContent = text;
    return made;
  }

  // A text on its baseline: with a line as high as the face's ascent and descent, the
  // baseline lies the ascent below the box's top.
  function textOf([text, faceIndex, points, x, y], faces) {
    const face = faces[faceIndex];
    const made = element("span", `run${face.sans ? " sans" : ""}${face.bold ? " bold" : ""}`, text);
    made.style.cssText = `left:${x}pt;top:${y - face.ascent * points}pt;` +
      `font-size:${points}pt;line-height:${face.height}`;
    return made;
  }

  // A rule across or down the page, drawn as a border, which browsers print.
  function ruleOf([x1, y1, x2, y2], width) {
    const made = element("div", "rule");
    const across = Math.abs(y2 - y1) < Math.abs(x2 - x1);
    const left = Math.min(x1, x2) - (across ? 0 : width / 2);
    const top = Math.min(y1, y2) - (across ? width / 2 : 0);
    made.style.cssText = `left:${left}pt;top:${top}pt;` + (across
      ? `width:${Math.abs(x2 - x1)}pt;border-top:${width}pt solid`
      : `height:${Math.abs(y2 - y1)}pt;border-left:${width}pt solid`);
    return made;
  }

  // A filled rectangle (a chart's bar) in mid grey, drawn as a border, which browsers print.
  function fillOf([x, y, width, height]) {
    const made = element("div", "rule");
    made.style.cssText = `left:${x}pt;top:${y}pt;width:${width}pt;` +
      `border-top:${height}pt solid #808080`;
    return made;
  }

  // The core's pages in `printout`, a page box for every page.
  function drawPages(printout, layout) {
    printout.replaceChildren(...layout.pages.map(({ texts, rules, fills = [] }) => {
      const page = element("div", texts.length ? "page" : "page blank");
      page.append(...texts.map((text) => textOf(text, layout.faces)), ...fills.map(fillOf),
        ...rules.map((rule) => ruleOf(rule, layout.rule)));
      return page;
    }));
  }

  // Draws the core's layout of sheets and their key; paper shows it until the fields are laid
  // out again.
  function drawLayout(layout) {
    drawPages(byId("sheetsPrintout"), layout);
    document.body.classList.add("sheets");
  }

  // Draws the core's layout of the fields as they stand, edits included; paper shows the
  // fields again.
  function drawLists(layout) {
    drawPages(byId("printout"), layout);
    document.body.classList.remove("sheets");
  }

  return { drawLayout, drawLists, element };
})();
