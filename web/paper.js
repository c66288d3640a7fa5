"use strict";
// The page's paper: what the browser prints. Either the two fields as they stand, in as many
// columns as the browser fits, or sheets with their key, which this script lays out page by
// page itself. No browser tells a script how many pages it will print, so every page of a
// sheet is a box of A4 less its margins, every line has a fixed height in pt, and the script
// fills the boxes; it knows how many pages each sheet takes, and printed on both sides, a
// sheet of an odd number of pages gets a blank back. Browsers print a page no wider than the
// paper at 100 % by default.
/* exported paper */
const paper = (() => {
  const crlf = "\r\n";
  const mm = 72 / 25.4; // pt in a millimetre
  const ptPerPx = 0.75; // pt in a CSS pixel
  // The box of a page: A4 (210 × 297 mm) less margins of 15 mm, and a millimetre less in
  // height, so that no rounding pushes a box onto a page of its own.
  const pageWidth = 180 * mm;
  const pageHeight = 266 * mm;
  // Type size, from one line to the next, an empty line and the room between two blocks, in
  // pt. The lines of a pupil's sheet leave room between them and after every "=" to write in.
  const sheetStyle = {
    points: 12, step: 19.2, gapStep: 9.6, blockGap: 9.6, answerRoom: 18 * mm, columnGap: 8 * mm,
    block: "group",
  };
  const keyStyle = {
    points: 11, step: 13, gapStep: 13 / 3, blockGap: 13, answerRoom: 0, columnGap: 8 * mm,
    block: "keySheet",
  };
  // The key's results, small and close, so that a class set's take a page or two.
  const resultsStyle = {
    points: 10, step: 12, gapStep: 4, blockGap: 6, answerRoom: 0, columnGap: 7 * mm,
    cellGap: 4 * mm, block: "resultsSheet",
  };
  // Heights are added up in pt; a hair of tolerance keeps a line that fits exactly.
  const tolerance = 0.01;
  // Between the key's results and its solutions below them on the same page.
  const partGap = 8 * mm;
  // The line at the top of a sheet's later pages that names the sheet.
  const continuedHeight = 24;

  const byId = (id) => document.getElementById(id);

  // An element with its class and text, for the printout and the page's own dialogs.
  function element(tag, className, text) {
    const made = document.createElement(tag);
    if (className) made.className = className;
    if (text !== undefined) made.textContent = text;
    return made;
  }

  // A list's lines, without the line break that ends the last one.
  const linesOf = (list) => list.replace(/\r\n$/, "").split(crlf);

  const place = (sheet) =>
    sheet.number ? `List ${sheet.number} z ${sheet.total}, kód ${sheet.code}` : `Kód ${sheet.code}`;

  // A line of a printout: its number right-aligned before its text, or a row of such cells,
  // each as wide as `pitch` (in pt).
  function lineOf({ number, text, cells, pitch }) {
    const line = element("div", "line");
    if (cells) {
      line.append(...cells.map((cell) => {
        const made = element("span", "cell");
        made.style.width = `${pitch}pt`;
        made.append(element("span", "n", `${cell.number}.`), ` ${cell.text}`);
        return made;
      }));
    } else {
      line.append(element("span", "n", `${number}.`), ` ${text}`);
    }
    return line;
  }

  // A list's lines, numbered, as blocks: the groups between its empty lines, or (with a
  // title) the whole list as one block with its empty lines as gaps (null).
  function blocksOf(list, title) {
    const blocks = [];
    let block = null;
    let number = 0;
    for (const text of linesOf(list)) {
      if (text === "") {
        if (title) block?.lines.push(null);
        else block = null;
        continue;
      }
      if (!block) blocks.push((block = { title, lines: [] }));
      block.lines.push({ number: ++number, text });
    }
    return blocks;
  }

  // The widest of `texts` in pt, in a font given as CSS gives it, measured on a canvas, which
  // lays nothing out.
  let ruler = null;
  function widestOf(font, texts) {
    ruler ??= document.createElement("canvas").getContext("2d");
    ruler.font = font;
    let widest = 0;
    for (const text of texts) widest = Math.max(widest, ruler.measureText(text).width);
    return widest * ptPerPx;
  }

  // The widest numbered line of `blocks`: four digits' room for the number, then the text.
  const widestLine = (font, blocks) => widestOf(font, ["0000"]) +
    widestOf(font, blocks.flatMap((block) =>
      block.lines.filter(Boolean).map(({ text }) => ` ${text}`)));

  const spacer = (height) => {
    const made = element("div", "space");
    made.style.height = `${height}pt`;
    return made;
  };

  function pageBox(className, style) {
    const page = element("div", `page ${className}`);
    page.style.fontSize = `${style.points}pt`;
    page.style.setProperty("--step", `${style.step}pt`);
    return page;
  }

  // A block's height in pt, its title included.
  const blockHeight = (block, style) => block.lines.reduce(
    (sum, line) => sum + (line ? style.step : style.gapStep), block.title ? style.step : 0);

  // Lays blocks out in columns, down each column and then across, page after page, as the
  // desktop's paper does: a block that does not fit under the last one goes whole to the next
  // column where it fits in one; a longer block goes on in the next column, under its title
  // marked "(pokračování)". `first` is the first page's free area and its height in pt;
  // `next()` makes the next page and gives the same of it. Returns the last page's area and
  // how far down it the longest column reaches.
  function flow(blocks, style, columns, columnWidth, first, next) {
    let area = first;
    let column = 0;
    let current = null; // the column being filled
    let part = null; // the part of a block in it
    let y = 0;
    let lowest = 0;
    const put = (node, height, inBlock = true) => {
      if (!current) {
        current = element("div", "column");
        current.style.width = `${columnWidth}pt`;
        area.columns.append(current);
      }
      if (inBlock && !part) current.append((part = element("div", style.block)));
      (inBlock ? part : current).append(node);
      y += height;
    };
    const nextColumn = () => {
      lowest = Math.max(lowest, y);
      if (++column === columns) {
        area = next();
        column = 0;
        lowest = 0;
      }
      current = null;
      part = null;
      y = 0;
    };
    const title = (text) => put(element("div", "title", text), style.step);
    for (const block of blocks) {
      const titleHeight = block.title ? style.step : 0;
      const height = blockHeight(block, style);
      const gap = y > 0 ? style.blockGap : 0;
      part = null;
      const fitsInAColumn = height <= area.room + tolerance;
      const roomToBegin = y + gap + titleHeight + 2 * style.step <= area.room + tolerance;
      const over = y + gap + height > area.room + tolerance;
      if (y > 0 && over && (fitsInAColumn || !roomToBegin)) {
        nextColumn();
      } else if (gap) {
        put(spacer(gap), gap, false);
      }
      if (block.title) title(block.title);
      for (const line of block.lines) {
        if (!line) {
          if (y > 0) put(spacer(style.gapStep), style.gapStep);
          continue;
        }
        if (y + style.step > area.room + tolerance) {
          nextColumn();
          if (block.title) title(`${block.title} (pokračování)`);
        }
        put(lineOf(line), style.step);
      }
    }
    return { area, foot: Math.max(lowest, y) };
  }

  // How many columns for lines as wide as `widest` (in pt) fit across a page, and how wide
  // each is.
  function columnsFor(widest, style) {
    const width = Math.min(pageWidth, widest + style.answerRoom);
    const columns = Math.floor((pageWidth + style.columnGap) / (width + style.columnGap));
    return [Math.max(1, columns), width];
  }

  // The top of a pupil's sheet: heading, name and date to fill in, its place and code.
  function sheetTop(sheet, heading) {
    const top = element("div", "top");
    if (heading) top.append(element("h2", "", heading));
    const name = element("p", "name");
    name.append(element("span", "", "Jméno:"), element("span", "rule"),
      element("span", "", "Datum:"), element("span", "rule"));
    const where = element("p", "place");
    where.append(element("span", "", sheet.number ? `List ${sheet.number} z ${sheet.total}` : ""),
      element("span", "", `Kód: ${sheet.code}`));
    top.append(name, where);
    return top;
  }

  // A page's free area for the flow, below what is already on it.
  function areaOf(page, room) {
    const columns = element("div", "columns");
    page.append(columns);
    return { page, columns, room };
  }

  // Results side by side, numbered as on the sheet, in rows of as many as make the blocks take
  // the fewest lines once the columns that fit beside each other are counted: a block is at
  // least as wide as its title, so a row of a few results costs no width the title does not.
  // Gives the blocks and how wide their rows are, in pt.
  function resultBlocks(sheets, font, titleWidth) {
    const style = resultsStyle;
    const pitch = widestOf(font, ["0000"]) + style.cellGap +
      widestOf(font, sheets.flatMap((sheet) => sheet.results.map((text) => ` ${text}`)));
    const rowWidth = (cells) => cells * pitch - style.cellGap;
    const most = Math.max(...sheets.map((sheet) => sheet.results.length));
    let perRow = 1;
    let fewest = Infinity;
    for (let tried = 1; tried <= most && rowWidth(tried) <= pageWidth; ++tried) {
      const [columns] = columnsFor(Math.max(titleWidth, rowWidth(tried)), style);
      const lines = sheets.reduce((sum, sheet) =>
        sum + Math.ceil(sheet.results.length / tried) + 1 + style.blockGap / style.step, 0) / columns;
      if (lines < fewest) [fewest, perRow] = [lines, tried];
    }
    const blocks = sheets.map((sheet) => {
      const cells = sheet.results.map((text, i) => ({ number: i + 1, text }));
      const lines = [];
      for (let first = 0; first < cells.length; first += perRow) {
        lines.push({ cells: cells.slice(first, first + perRow), pitch });
      }
      return { title: place(sheet), lines };
    });
    return [blocks, Math.max(titleWidth, rowWidth(perRow))];
  }

  // Lays out every pupil's sheet (heading, name and date, its place in the set and its code,
  // the exercises numbered in columns, no solutions), each from a new page, then the key:
  // from a new page every sheet's results for marking, then every sheet's numbered solutions.
  // Printed on both sides, each sheet and the key from a new paper.
  function layOutSheets(sheets, heading, duplex) {
    const printout = byId("sheetsPrintout");
    const family = getComputedStyle(printout).fontFamily;
    const fontOf = (style) => `${style.points}pt ${family}`;
    const parts = sheets.map((sheet) => {
      const blocks = blocksOf(sheet.exercises, "");
      return { sheet, blocks, widest: widestLine(fontOf(sheetStyle), blocks) };
    });
    // The tops of the first pages, measured off screen at the page's width: a heading may
    // take more than a line.
    const keyTop = (title) => {
      const top = element("div", "top");
      top.append(element("h2", "", heading ? `${title}: ${heading}` : title));
      return top;
    };
    const tops = [[sheetStyle, sheetTop(sheets[0], heading)],
      [resultsStyle, keyTop("Výsledky")], [keyStyle, keyTop("Řešení")]];
    printout.replaceChildren();
    printout.classList.add("measuring");
    for (const [style, top] of tops) {
      const page = pageBox(style === sheetStyle ? "sheetPage" : "keyPage", style);
      page.append(top);
      printout.append(page);
    }
    const [topHeight, resultsTopHeight, keyTopHeight] =
      tops.map(([, top]) => top.getBoundingClientRect().height * ptPerPx);
    printout.replaceChildren();
    printout.classList.remove("measuring");

    for (const { sheet, blocks, widest } of parts) {
      const section = element("section", "sheet");
      const newPage = (room, top) => {
        const page = pageBox("sheetPage", sheetStyle);
        page.append(top);
        section.append(page);
        return areaOf(page, room);
      };
      // A sheet too long for one page goes on under a line that names it.
      const continued = () => {
        const line = element("p", "continued", `${place(sheet)} (pokračování)`);
        line.style.height = `${continuedHeight}pt`;
        return newPage(pageHeight - continuedHeight, line);
      };
      const first = newPage(pageHeight - topHeight, sheetTop(sheet, heading));
      flow(blocks, sheetStyle, ...columnsFor(widest, sheetStyle), first, continued);
      printout.append(section);
      if (duplex && section.childElementCount % 2 === 1) {
        printout.append(element("div", "page blank"));
      }
    }

    const key = element("section", "key");
    const titles = sheets.map(place);
    // One part of the key under its heading, from a new page or below the part before it
    // (`after`, as flow() gives it) where its heading and a few lines fit there; its blocks
    // no narrower than their titles, or than "(pokračování)" after them where a block is
    // longer than a column and goes on.
    const keyPart = (style, [top, topHeight], blocks, widest, after) => {
      const room = pageHeight - topHeight;
      const splits = blocks.some((block) => blockHeight(block, style) > room);
      const titleWidth = widestOf(`bold ${fontOf(style)}`,
        splits ? titles.map((title) => `${title} (pokračování)`) : titles);
      const newPage = (room, top) => {
        const page = pageBox("keyPage", style);
        if (top) page.append(top);
        key.append(page);
        return areaOf(page, room);
      };
      let first = null;
      if (after) {
        const below = pageHeight - after.area.room + after.foot + partGap;
        if (below + topHeight + 6 * style.step <= pageHeight) {
          after.area.page.append(spacer(partGap), top);
          first = areaOf(after.area.page, pageHeight - below - topHeight);
        }
      }
      return flow(blocks, style, ...columnsFor(Math.max(widest, titleWidth), style),
        first ?? newPage(room, top), () => newPage(pageHeight));
    };
    const results = keyPart(resultsStyle, [tops[1][1], resultsTopHeight],
      ...resultBlocks(sheets, fontOf(resultsStyle), widestOf(`bold ${fontOf(resultsStyle)}`, titles)));
    const solutionBlocks = sheets.flatMap((sheet) => blocksOf(sheet.solutions, place(sheet)));
    keyPart(keyStyle, [tops[2][1], keyTopHeight], solutionBlocks,
      widestLine(fontOf(keyStyle), solutionBlocks), results);
    printout.append(key);
    document.body.classList.add("sheets");
  }

  // The fields as they stand, edits included: a text area prints only what it shows.
  function layOutFields(exercises, solutions) {
    byId("printExercises").textContent = exercises;
    byId("printSolutions").textContent = solutions;
    document.body.classList.remove("sheets");
  }

  return { layOutSheets, layOutFields, element };
})();
