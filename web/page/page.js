// The page's script: it loads the program's C++ (korvane.wasm) and SQLite
// (sql.js), reads the materials file with the statements the desktop program
// runs, keeps the inputs in the address, and shows what the C++ gives. It
// checks no number and writes no message: both come from the C++.
"use strict";

const kResultIds = [
  "imfp", "imfp-relativistic", "cf1", "cf2", "transport-cross-section",
  "information-depth-none", "information-depth-cf1", "information-depth-cf2",
  "mean-escape-depth-none", "mean-escape-depth-cf1", "mean-escape-depth-cf2",
  "kinetic-energy", "thickness",
];
// The inputs that the address carries, by the names of tpp2m's options.
const kInputNames = ["material", "density", "mass", "gap", "nv", "formula", "include",
                     "energy", "depth", "cross-section", "angle", "probability",
                     "line", "source", "photon-energy",
                     "overlayer", "substrate", "overlayer-energy", "substrate-energy", "ratio", "bulk-ratio",
                     "materials", "log", "range", "relativistic"];
// The inputs that name a material of the open database.
const kMaterialInputs = ["material", "overlayer", "substrate"];
// The columns of a materials row as the page hands them to the C++.
const kRowValues = { id: 0, name: 2, density: 3, mass: 4, gap: 5, hbe: 6, lbe: 7, d: 8, f: 9 };

const kCurveHeight = 360;

const page = { korvane: null, sql: null, data: null, database: null, databaseName: "TPP2-data.db",
               chart: null, curve: null, csvUrl: null, pngUrl: null };

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
  const materials = parameters.get("materials");
  JSON.parse(page.korvane.curveMaterials(materials === null ? "" : materials)).forEach((name, i) => {
    parameters.set("curve." + i, name);
    addRow(parameters, "curve." + i + ".", findMaterial(name));
  });
  const formula = parameters.get("formula");
  for (const symbol of formula === null ? [] : JSON.parse(page.korvane.formulaSymbols(formula)))
    addRow(parameters, "element." + symbol + ".", firstRow(statement("firstRowNamed"), [symbol, page.data.lastElementId]));
  return { address, full: parameters.toString() };
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
  drawCurve(results.curve);
}

// Tick labels as the desktop's chart writes them, without a group separator
// in any locale: 10000, not 10,000 or 10.000.
function plainTicks(chart, ticks) {
  return ticks.map((tick) => (tick === null ? "" : String(tick)));
}

// The curves of the materials on log-log axes, and the CSV to download.
function drawCurve(curve) {
  page.chart?.destroy();
  page.chart = null;
  page.curve = curve;
  if (page.csvUrl)
    URL.revokeObjectURL(page.csvUrl);
  page.csvUrl = null;
  const csvLink = document.getElementById("download-csv");
  csvLink.removeAttribute("href");
  document.getElementById("curve").hidden = !curve;
  if (!curve)
    return;
  page.csvUrl = URL.createObjectURL(new Blob([curve.csv], { type: "text/csv" }));
  csvLink.href = page.csvUrl;
  const holder = document.getElementById("imfp-curve");
  const series = curve.series.map((s) => ({
    // Each material in its colour, as the desktop's curve window draws it;
    // the relativistic form dashed.
    label: s.label, stroke: s.colour, width: 2,
    dash: s.relativistic ? [8, 5] : undefined,
  }));
  page.chart = new uPlot({
    width: holder.clientWidth, height: kCurveHeight,
    scales: { x: { time: false, distr: 3 }, y: { distr: 3 } },
    // The legend names the curves only: a number under the pointer would be
    // the browser's rounding of it in the browser's locale, not the program's.
    legend: { live: false },
    axes: [{ label: holder.dataset.energyAxis, values: plainTicks },
           { label: holder.dataset.imfpAxis, values: plainTicks }],
    series: [{ label: holder.dataset.energyAxis }, ...series],
  }, [curve.energies, ...curve.series.map((s) => s.imfp)], holder);
}

// The chart as a PNG file: its canvas on white, with each curve's label in
// its colour, since the chart's legend is not part of the canvas.
function downloadPng() {
  if (!page.chart)
    return;
  const chart = page.chart.ctx.canvas;
  const image = document.createElement("canvas");
  image.width = chart.width;
  image.height = chart.height;
  const context = image.getContext("2d");
  context.fillStyle = "#ffffff";
  context.fillRect(0, 0, image.width, image.height);
  context.drawImage(chart, 0, 0);
  const size = Math.round(14 * devicePixelRatio);
  context.font = `${size}px sans-serif`;
  // Top left in the plot, where the IMFPs of low energies leave room.
  page.curve.series.forEach((series, i) => {
    context.fillStyle = series.colour;
    context.fillText(series.label, page.chart.bbox.left + size, page.chart.bbox.top + size * (1.5 + 1.4 * i));
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

function recalculate() {
  const { address, full } = query();
  const search = address ? "?" + address : "";
  if (search !== location.search)
    history.replaceState(null, "", location.pathname + search);
  show(JSON.parse(page.korvane.results(full)));
  if (!document.body.dataset.state)
    document.body.dataset.firstResultMs = Math.round(performance.now());
  document.body.dataset.state = "ready";
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
  const [module, sql, data, shipped] = await Promise.all([
    createKorvane(),
    initSqlJs({ locateFile: (file) => "lib/" + file }),
    fetchOk("page-data.json").then((r) => r.json()),
    fetchOk("materials.db").then((r) => r.arrayBuffer()),
  ]);
  page.korvane = {
    results: module.cwrap("korvane_page_results", "string", ["string"]),
    unusableDatabase: module.cwrap("korvane_page_unusable_database", "string", ["string", "string"]),
    checkDatabase: module.cwrap("korvane_page_check_database", "string", ["string", "string"]),
    formulaSymbols: module.cwrap("korvane_page_formula_symbols", "string", ["string"]),
    curveMaterials: module.cwrap("korvane_page_curve_materials", "string", ["string"]),
  };
  module.cwrap("korvane_page_set_binding_energies", null, ["string"])(data.bindingEnergies);
  page.sql = sql;
  page.data = data;
  page.database = openMaterials(shipped, page.databaseName);
  showMaterialNames();
  fillInputsFromAddress();
  const form = document.getElementById("inputs");
  form.addEventListener("input", recalculate);
  document.getElementById("open-database").addEventListener("click", () =>
    document.getElementById("database-file").click());
  document.getElementById("download-png").addEventListener("click", downloadPng);
  new ResizeObserver(() => page.chart?.setSize({ width: document.getElementById("imfp-curve").clientWidth,
                                                 height: kCurveHeight })).observe(document.getElementById("imfp-curve"));
  document.getElementById("database-file").addEventListener("change", (event) => {
    if (event.target.files.length)
      openUserDatabase(event.target.files[0]);
  });
  recalculate();
}

start();
