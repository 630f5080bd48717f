// The page's calculations that answer in rows, each a view of its own: a
// form whose inputs the address carries under tpp2m's names (items such as
// the layers in rows of fields, each row one repeated input), and a table of
// the rows that the C++ computes as tpp2m writes them. Which view shows comes
// from the address. As in page.js, the script checks no number and writes
// no message.
"use strict";

// The column heads, as tpp2m's table heads its fields.
const kColumnTitles = {
  layer: "Layer", material: "Material", thickness_A: "Thickness (Å)", energy_eV: "Energy (eV)", form: "Form",
  angle_deg: "Angle (°)", model: "Model", imfp_A: "IMFP (Å)", signal_A: "Signal (Å)", signal_sd_A: "SE (Å)",
  error: "Error", line: "Line", source: "Source", binding_energy_eV: "Binding energy (eV)", element: "Element",
  atoms_per_A3: "Atoms (Å⁻³)", intensity: "Intensity", intensity_sd: "SE",
  kinetic_energy_eV: "Energy (eV)", area: "Area", cross_section_b: "σ (b)", asymmetry: "β", angular_factor: "W",
  transmission: "T", overlayer_attenuation: "O", sensitivity: "S", atomic_percent: "Atomic %",
};

// MATERIAL:THICKNESS as tpp2m's --layer takes it, split at the last colon.
function splitLayer(text) {
  const colon = text.lastIndexOf(":");
  return colon < 0 ? [text, ""] : [text.slice(0, colon), text.slice(colon + 1)];
}

// LINE=NUMBER as tpp2m's --peak and --beta take it, split at the last equals sign.
function splitPeak(text) {
  const equals = text.lastIndexOf("=");
  return equals < 0 ? [text, ""] : [text.slice(0, equals), text.slice(equals + 1)];
}

// A material and its thickness as one layer of the address, or none when both are blank.
const layerFields = [{ key: "material", label: "material", list: "material-names", placeholder: "SiO2" },
                     { key: "thickness", label: "thickness (Å)", decimal: true, placeholder: "15" }];

// Each view: its fields (ids "VIEW-NAME"), its lists of items, the
// materials whose database rows the C++ reads ("row.NAME."), and its calls.
const kTableViews = {
  stack: {
    inputs: ["substrate", "energy", "line", "source", "photon-energy", "angle", "relativistic"],
    lists: [{
      holder: "stack-layers", label: "Layer",
      fields: layerFields,
      fromAddress: (parameters) => parameters.getAll("layer").map(splitLayer),
      toAddress: ([material, thickness]) => [["layer", material + ":" + thickness]],
    }],
    materials: (parameters) => [...parameters.getAll("layer").map((layer) => splitLayer(layer)[0]),
                                parameters.get("substrate")],
    rows: (korvane, query) => korvane.stack(query),
    csv: (korvane, query) => korvane.stackCsv(query),
  },
  quantify: {
    inputs: ["material", "formula", "density", "gap", "source", "angle", "source-angle", "transmission-exponent",
             "relativistic"],
    lists: [{
      holder: "quantify-peaks", label: "Peak",
      fields: [{ key: "line", label: "line", placeholder: "Cu 2p3/2" },
               { key: "area", label: "area", decimal: true, placeholder: "1000" },
               { key: "beta", label: "β", decimal: true, placeholder: "" }],
      // A peak's β is given beside its line, as tpp2m's --beta takes it.
      fromAddress: (parameters) => {
        const betas = parameters.getAll("beta").map(splitPeak);
        return parameters.getAll("peak").map(splitPeak).map(([line, area]) =>
          [line, area, betas.find(([betaLine]) => betaLine.trim() === line.trim())?.[1] ?? ""]);
      },
      toAddress: ([line, area, beta]) => [["peak", line + "=" + area], ...(beta.trim() ? [["beta", line + "=" + beta]] : [])],
    }, {
      holder: "quantify-layer", label: "Layer", one: true,
      fields: layerFields.map((field) => ({ ...field, placeholder: field.key === "material" ? "C" : "10" })),
      fromAddress: (parameters) => parameters.getAll("layer").map(splitLayer),
      toAddress: ([material, thickness]) => [["layer", material + ":" + thickness]],
    }],
    materials: (parameters) => parameters.getAll("layer").map((layer) => splitLayer(layer)[0]),
    addRows: (parameters) => {
      const material = parameters.get("material");
      if (material !== null && material.trim() !== "")
        addRow(parameters, "material.", findMaterial(material));
      addFormulaRows(parameters);
    },
    rows: (korvane, query) => korvane.quantify(query),
    csv: (korvane, query) => korvane.quantifyCsv(query),
  },
};

const tableView = { name: null, plan: null, query: null, csvUrl: null };

// The view the address asks for: by name, or by the inputs only it takes.
function viewOfAddress(parameters) {
  const named = parameters.get("view");
  if (named in kTableViews)
    return named;
  if (parameters.has("peak") && "quantify" in kTableViews)
    return "quantify";
  return parameters.has("layer") ? "stack" : "calculator";
}

function viewField(name) {
  return document.getElementById(tableView.name + "-" + name);
}

// A row of fields for one item, its values given; numbered from 1.
function addListRow(list, values) {
  const holder = document.getElementById(list.holder);
  const number = holder.querySelectorAll(".list-row").length + 1;
  const label = document.createElement("span");
  label.textContent = list.one ? list.label : `${list.label} ${number}`;
  const row = document.createElement("span");
  row.className = "list-row";
  list.fields.forEach((field, i) => {
    const input = document.createElement("input");
    input.id = `${list.holder}-${number}-${field.key}`;
    input.setAttribute("aria-label", list.one ? `${list.label} ${field.label}` : `${list.label} ${number} ${field.label}`);
    if (field.list)
      input.setAttribute("list", field.list);
    if (field.decimal)
      input.inputMode = "decimal";
    if (number === 1)
      input.placeholder = field.placeholder;
    input.value = values[i] ?? "";
    row.append(input);
  });
  holder.append(label, row);
}

// One empty row at the end of each list, to type the next item into.
function growLists() {
  for (const list of tableView.plan.lists.filter((list) => !list.one)) {
    const last = [...document.getElementById(list.holder).querySelectorAll(".list-row")].at(-1);
    if ([...last.querySelectorAll("input")].some((input) => input.value !== ""))
      addListRow(list, []);
  }
}

// The values of each row of a list that holds any.
function listValues(list) {
  return [...document.getElementById(list.holder).querySelectorAll(".list-row")]
    .map((row) => [...row.querySelectorAll("input")].map((input) => input.value))
    .filter((values) => values.some((value) => value.trim() !== ""));
}

// The view's inputs as the address carries them, with the rows of their
// materials added.
function tableQuery() {
  const plan = tableView.plan;
  const parameters = new URLSearchParams();
  parameters.set("view", tableView.name);
  for (const list of plan.lists)
    for (const values of listValues(list))
      for (const [name, value] of list.toAddress(values))
        parameters.append(name, value);
  for (const name of plan.inputs) {
    const value = viewField(name).value;
    if (value !== "")
      parameters.set(name, value);
  }
  const address = parameters.toString();
  parameters.set("database", page.databaseName);
  for (const material of new Set(plan.materials(parameters)))
    if (material !== null && material.trim() !== "")
      addRow(parameters, "row." + material + ".", findMaterial(material));
  plan.addRows?.(parameters);
  return { address, full: parameters.toString() };
}

function showTable(answer) {
  const table = document.getElementById(tableView.name + "-table");
  table.replaceChildren();
  if (answer.rows.length) {
    // The error column only where a row has an error, as tpp2m's table leaves it out.
    const errorAt = answer.columns.indexOf("error");
    const shownColumn = (i) => i !== errorAt || answer.rows.some((row) => row[i] !== null);
    const head = table.createTHead().insertRow();
    for (const column of answer.columns.filter((column, i) => shownColumn(i))) {
      const cell = document.createElement("th");
      cell.scope = "col";
      cell.dataset.column = column;
      cell.textContent = kColumnTitles[column] ?? column;
      head.append(cell);
    }
    const body = table.createTBody();
    for (const row of answer.rows) {
      const line = body.insertRow();
      row.forEach((value, i) => {
        if (!shownColumn(i))
          return;
        const cell = line.insertCell();
        if (value === null)
          return;
        cell.textContent = value.text;
        cell.dataset.value = value.value;
        if (value.value !== "" && Number.isFinite(Number(value.value)))
          cell.className = "number";
      });
    }
  }
  document.getElementById(tableView.name + "-error").textContent = answer.errors.join("\n");
  document.getElementById(tableView.name + "-notes").textContent = answer.notes.join("\n");
  document.getElementById(tableView.name + "-csv").hidden = !answer.rows.length;
}

// The rows for the inputs as they are now; a failure of the calculation
// itself empties them and says why.
function recalculateTable() {
  let answer;
  try {
    const { address, full } = tableQuery();
    if ("?" + address !== location.search)
      history.replaceState(null, "", location.pathname + "?" + address);
    answer = JSON.parse(tableView.plan.rows(page.korvane, full));
    tableView.query = answer.rows.length ? full : null;
  } catch (failure) {
    answer = { columns: [], rows: [], errors: [document.getElementById("error").dataset.failed + " " + failure.message],
               notes: [] };
    tableView.query = null;
  }
  showTable(answer);
  document.body.dataset.state = "ready";
  document.body.removeAttribute("aria-busy");
}

// The rows as tpp2m --csv writes them, saved under the button's file name.
function downloadTableCsv(event) {
  if (!tableView.query)
    return;
  const csv = tableView.plan.csv(page.korvane, tableView.query);
  if (tableView.csvUrl)
    URL.revokeObjectURL(tableView.csvUrl);
  tableView.csvUrl = URL.createObjectURL(new Blob([csv], { type: "text/csv" }));
  const link = document.createElement("a");
  link.href = tableView.csvUrl;
  link.download = event.target.dataset.file;
  link.click();
}

// Shows the view `name` in place of the calculator, its inputs from the address.
function openTableView(name, parameters) {
  tableView.name = name;
  tableView.plan = kTableViews[name];
  for (const id of ["least-input", "inputs", "results", "curve"])
    document.getElementById(id).hidden = true;
  document.getElementById(name).hidden = false;
  for (const input of tableView.plan.inputs) {
    const value = parameters.get(input);
    if (value === null)
      continue;
    const field = viewField(input);
    // A choice the list lacks is kept, so that the C++ refuses it in words.
    if (field.tagName === "SELECT" && ![...field.options].some((option) => option.value === value))
      field.add(new Option(value, value));
    field.value = value;
  }
  for (const list of tableView.plan.lists) {
    const items = list.fromAddress(parameters);
    // A list of one item holds its row only; another list keeps an empty row after its items.
    for (const values of list.one ? items.slice(0, 1) : items)
      addListRow(list, values);
    if (!list.one || !items.length)
      addListRow(list, []);
  }
  document.getElementById(name + "-inputs").addEventListener("input", () => {
    growLists();
    recalculateTable();
  });
  document.getElementById(name + "-csv").addEventListener("click", downloadTableCsv);
  recalculateTable();
}

// The view's link says that it is the page shown.
function markView(name) {
  document.querySelector(`#views a[data-view="${name}"]`)?.setAttribute("aria-current", "page");
}
