// The page's script: it loads the program's C++ (korvane.wasm) and SQLite
// (sql.js), reads the materials file with the statements the desktop program
// runs, keeps the inputs in the address, and shows what the C++ gives. It
// checks no number and writes no message: both come from the C++. The IMFP
// curve is computed in a worker (curve-worker.js), once typing pauses.
"use strict";

const kResultIds = [
  "imfp", "imfp-relativistic", "cf1", "cf2", "transport-cross-section",
  "information-depth-none", "information-depth-cf1", "information-depth-cf2",
  "mean-escape-depth-none", "mean-escape-depth-cf1", "mean-escape-depth-cf2",
  "kinetic-energy", "thickness",
  "material-density", "material-mass", "material-gap", "material-nv",
];
// The inputs that the address carries, by the names of tpp2m's options.
const kInputNames = ["material", "density", "mass", "gap", "nv", "formula", "include",
                     "energy", "depth", "cross-section", "angle", "probability",
                     "line", "source", "photon-energy",
                     "overlayer", "substrate", "overlayer-energy", "substrate-energy", "ratio", "bulk-ratio",
                     "materials", "log", "range", "relativistic"];
// The inputs that name a material of the open database.
const kMaterialInputs = ["material", "overlayer", "substrate"];
// The inputs that the curve reads: a change elsewhere leaves it as it is.
const kCurveInputs = ["materials", "log", "range", "relativistic", "include"];
// How long typing pauses before the curve is computed and the results are
// announced to a screen reader, in ms.
const kCurvePause = 400;
const kAnnouncePause = 1000;
// The columns of a materials row as the page hands them to the C++.
const kRowValues = { id: 0, name: 2, density: 3, mass: 4, gap: 5, hbe: 6, lbe: 7, d: 8, f: 9 };

const kCurveHeight = 360;

const page = { korvane: null, sql: null, data: null, database: null, databaseName: "TPP2-data.db", databaseCount: 0,
               chart: null, curve: null, csvUrl: null, pngUrl: null,
               // The curve's worker, the inputs of the curve asked for last (by
               // their key) and of the curve drawn, and the requests under way.
               worker: null, curveKey: null, curveTimer: 0, curveQuery: null, nextId: 0,
               curveBusy: false, curveAgain: false,
               waiting: new Map(), announceTimer: 0 };

// The first row of a statement's answer, each value with its type in
// SQLite's words, under `prefix` ("row.0", "row.0.type", ...).
function addFirstRow(facts, prefix, answer) {
  if (!answer.length)
    return;
  answer[0].values[0].forEach((value, i) => {
    const type = value === null ? "null" : value instanceof Uint8Array ? "blob" : typeof value === "string" ? "text"
      : Number.isInteger(value) ? "integer" : "real";
    facts.set(prefix + i + ".type", type);
    if (value !== null && type !== "blob")
      facts.set(prefix + i, String(value));
  });
}

// A materials file opened read-only, or the C++'s answer when it fails the
// checks the desktop runs on it.
function openMaterials(bytes, fileName) {
  const db = new page.sql.Database(new Uint8Array(bytes));
  try {
    const sql = page.data.sql;
    const facts = new URLSearchParams();
    const type = db.exec(sql.tableType);
    facts.set("table-type", type.length ? type[0].values[0][0] : "");
    // Anything but a table (a view, whose rows a query makes and may never
    // end) is refused before a row is asked for.
    if (facts.get("table-type") !== "table") {
      db.close();
      return { refused: JSON.parse(page.korvane.checkDatabase(facts.toString(), fileName)) };
    }
    const columns = db.exec(sql.tableInfo);
    (columns.length ? columns[0].values : []).forEach((column, i) => {
      facts.set("column." + i, column[1]);
      facts.set("column." + i + ".key", String(column[5]));
    });
    // A statement over columns the file lacks fails; the C++ then refuses
    // the columns before it reads the answers.
    const answer = (statement) => {
      try {
        return db.exec(statement);
      } catch (error) {
        return [];
      }
    };
    facts.set("quick-check", db.exec(sql.quickCheck)[0].values[0][0]);
    addFirstRow(facts, "row.", answer(sql.firstUnreadableRow));
    addFirstRow(facts, "keyed-row.", answer(sql.firstUnreadableRowKeyed));
    const repeated = answer(sql.repeatedId);
    if (repeated.length)
      facts.set("repeated-id", String(repeated[0].values[0][0]));
    const checked = JSON.parse(page.korvane.checkDatabase(facts.toString(), fileName));
    if (checked.errors.length) {
      db.close();
      return { refused: checked };
    }
    const second = columns[0].values[1][1];
    return { db, secondColumn: '"' + second.replaceAll('"', '""') + '"' };
  } catch (error) {
    db.close();
    // SQLite's own words come as a plain Error; anything else has none to give.
    const sqliteWords = error.constructor === Error ? error.message : "";
    return { refused: JSON.parse(page.korvane.unusableDatabase(fileName, sqliteWords)) };
  }
}

function statement(name) {
  return page.data.sql[name].replaceAll('"' + page.data.secondColumn + '"', page.database.secondColumn);
}

function firstRow(sql, parameters) {
  const result = page.database.db.exec(sql, parameters);
  return result.length ? result[0].values[0] : null;
}

// The row that a material's name or ID names: the name first, then a bare
// number as an ID.
function findMaterial(text) {
  const named = firstRow(statement("firstRowNamed"), [text, Number.MAX_SAFE_INTEGER]);
  if (named)
    return named;
  return /^[0-9]+$/.test(text) ? firstRow(statement("rowWithId"), [Number(text)]) : null;
}

function showMaterialNames() {
  const list = document.getElementById("material-names");
  list.replaceChildren();
  const rows = page.database.db.exec(page.data.sql.idsAndNames);
  for (const [id, name] of rows.length ? rows[0].values : []) {
    const option = document.createElement("option");
    option.value = name === null ? String(id) : String(name);
    option.label = String(id);
    list.append(option);
  }
  document.getElementById("database-name").value = page.databaseName;
}

// A row's values under `prefix` ("material.", "element.Si."), as the C++ reads them.
function addRow(parameters, prefix, row) {
  parameters.set(prefix + "found", row ? "1" : "0");
  for (const [name, column] of Object.entries(kRowValues)) {
    if (row && row[column] !== null)
      parameters.set(prefix + name, String(row[column]));
  }
}

// The inputs as the address carries them, with the rows of the materials
// and of a formula's elements added.
function query() {
  const parameters = new URLSearchParams();
  for (const name of kInputNames) {
    const value = document.getElementById(name).value;
    if (value !== "")
      parameters.set(name, value);
  }
  const address = parameters.toString();
  parameters.set("database", page.databaseName);
  for (const input of kMaterialInputs) {
    const material = parameters.get(input);
    if (material === null || material.trim() === "")
      continue;
    addRow(parameters, input + ".", findMaterial(material));
  }
  addFormulaRows(parameters);
  return { address, full: parameters.toString() };
}

// The rows of the elements of the formula typed, as the C++ reads them ("element.Si.").
function addFormulaRows(parameters) {
  const formula = parameters.get("formula");
  for (const symbol of formula === null ? [] : JSON.parse(page.korvane.formulaSymbols(formula)))
    addRow(parameters, "element." + symbol + ".", firstRow(statement("firstRowNamed"), [symbol, page.data.lastElementId]));
}

function inputValue(name) {
  return document.getElementById(name).value;
}

// The curve's own inputs with the rows of its materials: what the worker
// computes the curve from.
function curveQuery() {
  const parameters = new URLSearchParams();
  for (const name of kCurveInputs) {
    if (inputValue(name) !== "")
      parameters.set(name, inputValue(name));
  }
  parameters.set("database", page.databaseName);
  JSON.parse(page.korvane.curveMaterials(inputValue("materials"))).forEach((name, i) => {
    parameters.set("curve." + i, name);
    addRow(parameters, "curve." + i + ".", findMaterial(name));
  });
  return parameters.toString();
}

function show(results) {
  const shown = new Map(results.shown.map((r) => [r.id, r]));
  for (const id of kResultIds) {
    const element = document.getElementById(id);
    if (!element)
      continue;
    const result = shown.get(id);
    element.value = result ? result.text : "";
    if (result)
      element.dataset.value = result.value;
    else
      delete element.dataset.value;
  }
  document.getElementById("error").textContent = results.errors.join("\n");
  document.getElementById("notes").textContent = results.notes.join("\n");
}

// What a screen reader hears once typing pauses: the errors, or each result
// by its accessible name. Said once, not at every keystroke.
function announceLater() {
  clearTimeout(page.announceTimer);
  page.announceTimer = setTimeout(() => {
    const errors = document.getElementById("error").textContent;
    const results = kResultIds.map((id) => document.getElementById(id)).filter((output) => output.value)
      .map((output) => accessibleName(output) + ": " + output.value);
    const notes = document.getElementById("notes").textContent;
    document.getElementById("announcement").textContent = [errors, results.join("; "), notes].filter(Boolean).join(". ");
  }, kAnnouncePause);
}

// An output's name from the headers that aria-labelledby points at.
function accessibleName(output) {
  return output.getAttribute("aria-labelledby").split(" ")
    .map((id) => document.getElementById(id).textContent.trim()).join(", ");
}

// Tick labels as the desktop's chart writes them, without a group separator
// in any locale: 10000, not 10,000 or 10.000.
function plainTicks(chart, ticks) {
  return ticks.map((tick) => (tick === null ? "" : String(tick)));
}

// The curve's answer from the worker: its errors and notes, and the curves
// of the materials on log-log axes.
function drawCurve(answer) {
  page.chart?.destroy();
  page.chart = null;
  const curve = answer.curve;
  page.curve = curve;
  const section = document.getElementById("curve");
  section.hidden = !curve && !answer.errors.length;
  document.getElementById("curve-error").textContent = answer.errors.join("\n");
  document.getElementById("curve-notes").textContent = answer.notes.join("\n");
  document.getElementById("curve-status").textContent = "";
  document.getElementById("curve-downloads").hidden = !curve;
  const holder = document.getElementById("imfp-curve");
  holder.dataset.points = curve ? String(curve.energies.length) : "0";
  if (!curve)
    return;
  const series = curve.series.map((s) => ({
    // Each material in its colour, as the desktop's curve window draws it;
    // the relativistic form dashed.
    label: s.label, stroke: s.colour, width: 2,
    dash: s.relativistic ? [8, 5] : undefined,
  }));
  page.chart = new uPlot({
    title: holder.dataset.title,
    width: holder.clientWidth, height: kCurveHeight,
    // The IMFP axis spans the curves' own values, not whole decades around them.
    scales: { x: { time: false, distr: 3 }, y: { distr: 3, range: fittedRange } },
    // The legend names the curves only: a number under the pointer would be
    // the browser's rounding of it in the browser's locale, not the program's.
    legend: { live: false, markers: { width: 3, dash: (u, i) => (u.series[i].dash ? "dashed" : "solid") } },
    axes: [{ label: holder.dataset.energyAxis, values: plainTicks },
           { label: holder.dataset.imfpAxis, values: plainTicks, size: 60 }],
    series: [{ label: holder.dataset.energyAxis }, ...series],
  }, [curve.energies, ...curve.series.map((s) => s.imfp)], holder);
}

// The smallest and the largest IMFP drawn, rounded out to two significant
// digits, so that the axis spans the curves and its end ticks read plainly.
function fittedRange(chart, min, max) {
  if (min === null || max === null)
    return [1, 10];
  const rounded = (value, round) => {
    const decade = Math.pow(10, Math.floor(Math.log10(value)));
    return Number((round(value / decade * 10) / 10 * decade).toPrecision(2));
  };
  const low = rounded(min, Math.floor);
  const high = rounded(max, Math.ceil);
  return low < high ? [low, high] : [low / 2, high * 2];
}

// Asks the worker for a text; resolves to it, or fails with the reason.
function askWorker(kind, query, maxPoints) {
  const id = ++page.nextId;
  page.worker.postMessage({ id, kind, query, maxPoints });
  return new Promise((resolve, reject) => page.waiting.set(id, { resolve, reject }));
}

// At most about one point per pixel of the chart's width, which is the
// page's (the chart may be hidden still).
function chartPoints() {
  return Math.max(2, document.querySelector("main").clientWidth);
}

// The curve again when its own inputs have changed: at once on loading and
// on a new database, otherwise once typing pauses.
function curveInputsChanged(atOnce) {
  const key = JSON.stringify([page.databaseCount, ...kCurveInputs.map(inputValue)]);
  if (key === page.curveKey)
    return;
  page.curveKey = key;
  setCurveStatus();
  clearTimeout(page.curveTimer);
  page.curveTimer = setTimeout(computeCurve, atOnce ? 0 : kCurvePause);
}

// Says that the curve shown is not yet the curve of the inputs.
function setCurveStatus() {
  const status = document.getElementById("curve-status");
  status.textContent = status.dataset.busy;
  document.body.dataset.curveState = "computing";
}

// One curve at a time in the worker: inputs changed while it computes are
// computed after it, and the curve of the older inputs is not drawn.
async function computeCurve() {
  if (page.curveBusy) {
    page.curveAgain = true;
    return;
  }
  page.curveBusy = true;
  const query = curveQuery();
  setCurveStatus();
  performance.mark("curve-asked");
  let answer;
  try {
    answer = JSON.parse(await askWorker("curve", query, chartPoints()));
  } catch (failure) {
    answer = { errors: [failure.message], notes: [], curve: null };
  }
  page.curveBusy = false;
  if (page.curveAgain) {
    page.curveAgain = false;
    computeCurve();
    return;
  }
  page.curveQuery = answer.curve ? query : null;
  drawCurve(answer);
  performance.measure("curve", "curve-asked");
  document.body.dataset.curveState = "drawn";
}

// The CSV of every energy, built when asked for and saved as imfp.csv.
async function downloadCsv() {
  if (!page.curveQuery)
    return;
  performance.mark("csv-asked");
  const csv = await askWorker("csv", page.curveQuery);
  if (page.csvUrl)
    URL.revokeObjectURL(page.csvUrl);
  page.csvUrl = URL.createObjectURL(new Blob([csv], { type: "text/csv" }));
  const link = document.createElement("a");
  link.href = page.csvUrl;
  link.download = "imfp.csv";
  link.click();
}

// The chart as a PNG file: its title above its canvas on white, and a
// legend of each curve's line (dashed for the relativistic form) beside its
// name in black, since the chart's title and legend are not on the canvas.
function downloadPng() {
  if (!page.chart)
    return;
  const chart = page.chart.ctx.canvas;
  const size = Math.round(14 * devicePixelRatio);
  const titleHeight = Math.round(size * 2.2);
  const image = document.createElement("canvas");
  image.width = chart.width;
  image.height = chart.height + titleHeight;
  const context = image.getContext("2d");
  context.fillStyle = "#ffffff";
  context.fillRect(0, 0, image.width, image.height);
  context.fillStyle = "#000000";
  context.font = `bold ${size}px sans-serif`;
  context.textAlign = "center";
  context.fillText(document.getElementById("imfp-curve").dataset.title, image.width / 2, size * 1.5);
  context.textAlign = "start";
  context.drawImage(chart, 0, titleHeight);
  context.font = `${size}px sans-serif`;
  // Top left in the plot, where the IMFPs of low energies leave room.
  page.curve.series.forEach((series, i) => {
    const x = page.chart.bbox.left + size;
    const y = titleHeight + page.chart.bbox.top + size * (1.5 + 1.4 * i);
    context.strokeStyle = series.colour;
    context.lineWidth = 2 * devicePixelRatio;
    context.setLineDash(series.relativistic ? [8 * devicePixelRatio, 5 * devicePixelRatio] : []);
    context.beginPath();
    context.moveTo(x, y - size * 0.35);
    context.lineTo(x + 2.5 * size, y - size * 0.35);
    context.stroke();
    context.fillStyle = "#000000";
    context.fillText(series.label, x + 3 * size, y);
  });
  image.toBlob((blob) => {
    if (page.pngUrl)
      URL.revokeObjectURL(page.pngUrl);
    page.pngUrl = URL.createObjectURL(blob);
    const link = document.createElement("a");
    link.href = page.pngUrl;
    link.download = "imfp-curve.png";
    link.click();
  }, "image/png");
}

// The results for the inputs as they are now; a failure of the calculation
// itself empties them and says why, so no old number stands beside new inputs.
function recalculate() {
  performance.mark("recalculate-start");
  let results;
  try {
    const { address, full } = query();
    const search = address ? "?" + address : "";
    if (search !== location.search)
      history.replaceState(null, "", location.pathname + search);
    results = JSON.parse(page.korvane.results(full));
  } catch (failure) {
    results = { shown: [], errors: [document.getElementById("error").dataset.failed + " " + failure.message], notes: [] };
  }
  show(results);
  curveInputsChanged(!document.body.dataset.state);
  announceLater();
  performance.measure("recalculate", "recalculate-start");
  if (!document.body.dataset.state)
    document.body.dataset.firstResultMs = Math.round(performance.now());
  document.body.dataset.state = "ready";
  document.body.removeAttribute("aria-busy");
}

function fillInputsFromAddress() {
  const parameters = new URLSearchParams(location.search);
  for (const name of kInputNames) {
    const value = parameters.get(name);
    if (value === null)
      continue;
    const input = document.getElementById(name);
    // A choice the list lacks is kept, so that the C++ refuses it in words.
    if (input.tagName === "SELECT" && ![...input.options].some((option) => option.value === value))
      input.add(new Option(value, value));
    input.value = value;
  }
}

async function openUserDatabase(file) {
  const opened = openMaterials(await file.arrayBuffer(), file.name);
  if (opened.refused) {
    show(opened.refused);
    document.body.dataset.state = "ready";
    return;
  }
  page.database.db.close();
  page.database = opened;
  page.databaseName = file.name;
  ++page.databaseCount;
  showMaterialNames();
  recalculate();
}

async function fetchOk(path) {
  const response = await fetch(path);
  if (!response.ok)
    throw new Error(path + ": " + response.status);
  return response;
}

async function start() {
  if ("serviceWorker" in navigator)
    navigator.serviceWorker.register("service-worker.js");
  page.worker = new Worker("curve-worker.js");
  page.worker.addEventListener("message", (event) => {
    const { id, text, failure } = event.data;
    const waiting = page.waiting.get(id);
    page.waiting.delete(id);
    if (failure === undefined)
      waiting.resolve(text);
    else
      waiting.reject(new Error(failure));
  });
  const [module, sql, data, shipped] = await Promise.all([
    createKorvane(),
    initSqlJs({ locateFile: (file) => "lib/" + file }),
    fetchOk("page-data.json").then((r) => r.json()),
    fetchOk("materials.db").then((r) => r.arrayBuffer()),
  ]);
  page.korvane = korvaneCalls(module);
  page.korvane.setBindingEnergies(data.bindingEnergies);
  page.korvane.setCrossSections(data.crossSections);
  page.sql = sql;
  page.data = data;
  page.database = openMaterials(shipped, page.databaseName);
  showMaterialNames();
  const view = viewOfAddress(new URLSearchParams(location.search));
  markView(view);
  if (view !== "calculator") {
    document.getElementById("loading").hidden = true;
    openTableView(view, new URLSearchParams(location.search));
    return;
  }
  fillInputsFromAddress();
  const form = document.getElementById("inputs");
  form.addEventListener("input", recalculate);
  document.getElementById("open-database").addEventListener("click", () =>
    document.getElementById("database-file").click());
  document.getElementById("download-png").addEventListener("click", downloadPng);
  document.getElementById("download-csv").addEventListener("click", downloadCsv);
  new ResizeObserver(() => page.chart?.setSize({ width: document.getElementById("imfp-curve").clientWidth,
                                                 height: kCurveHeight })).observe(document.getElementById("imfp-curve"));
  document.getElementById("database-file").addEventListener("change", (event) => {
    if (event.target.files.length)
      openUserDatabase(event.target.files[0]);
  });
  document.getElementById("loading").hidden = true;
  recalculate();
}

start();
