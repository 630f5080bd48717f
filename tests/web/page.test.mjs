// The browser page in a real browser: Debian's chromium, headless, driven by
// puppeteer-core, over a static server on 127.0.0.1. The numbers are compared
// with tpp2m's --json from the desktop build.
// Environment: TPP2M, the tpp2m to compare with (required); KORVANE_SITE,
// the built site (default build-web/site); CHROMIUM (default /usr/bin/chromium).
import { test, before, after } from "node:test";
import assert from "node:assert/strict";
import { execFileSync } from "node:child_process";
import { mkdtempSync, copyFileSync, existsSync, readFileSync, rmSync, writeFileSync } from "node:fs";
import { createRequire } from "node:module";
import { tmpdir } from "node:os";
import { dirname, join, resolve } from "node:path";
import { fileURLToPath } from "node:url";
import { serveFolder } from "./static-server.mjs";

const root = resolve(dirname(fileURLToPath(import.meta.url)), "../..");
const puppeteer = createRequire(join(root, "web/package.json"))("puppeteer-core");
const site = process.env.KORVANE_SITE || join(root, "build-web/site");
const tpp2m = process.env.TPP2M;
assert.ok(tpp2m, "TPP2M must name the tpp2m to compare with");

// tpp2m runs in a folder of its own, where it creates the shipped database.
const work = mkdtempSync(join(tmpdir(), "korvane-web-"));
let server, browser;
const problems = []; // console errors and uncaught exceptions of every page

function runTpp2m(...args) {
  return JSON.parse(execFileSync(tpp2m, [...args, "--json"], { cwd: work, encoding: "utf8" }));
}

// What tpp2m prints for its arguments, run in `folder`, on standard output
// or, when it refuses them, on standard error without its name.
function tpp2mIn(folder, ...args) {
  try {
    return execFileSync(tpp2m, args, { cwd: folder, encoding: "utf8", stdio: ["ignore", "pipe", "pipe"] });
  } catch (failure) {
    return failure.stderr.replace(/^tpp2m: /, "").trimEnd();
  }
}

async function openPage(search) {
  const page = await browser.newPage();
  page.on("console", (message) => {
    if (message.type() === "error")
      problems.push(message.text());
  });
  page.on("pageerror", (error) => problems.push(`${search}: ${error}`));
  page.on("request", (request) => {
    // The page's own data and the blobs of its downloads are no other host.
    const url = request.url();
    if (!url.startsWith(server.url) && !url.startsWith("data:") && !url.startsWith("blob:" + server.url))
      problems.push("request to another host: " + url);
  });
  await showPage(page, search);
  return page;
}

async function showPage(page, search) {
  await page.goto(server.url + search);
  await page.waitForSelector("body[data-state=ready]");
}

// Every output of the page: its text and data-value, by id.
function outputs(page) {
  return page.evaluate(() => Object.fromEntries([...document.querySelectorAll("output[id]")]
    .map((e) => [e.id, { text: e.value, value: e.dataset.value }])));
}

before(async () => {
  server = await serveFolder(site);
  browser = await puppeteer.launch({
    executablePath: process.env.CHROMIUM || "/usr/bin/chromium",
    headless: true,
    args: ["--no-sandbox", "--disable-gpu", "--disable-dev-shm-usage"],
  });
});

after(async () => {
  await browser?.close();
  await server?.close();
  rmSync(work, { recursive: true, force: true });
});

test("Cu at 1000 eV shows the window's text and tpp2m's value", async () => {
  const page = await openPage("?material=Cu&energy=1000");
  const firstResult = await page.$eval("body", (body) => body.dataset.firstResultMs);
  console.log(`# from the start of loading to the first result: ${firstResult} ms`);
  const shown = await outputs(page);
  const [row] = runTpp2m("imfp", "Cu", "--energy", "1000");
  assert.equal(shown.imfp.text, "15.45 Å");
  assert.equal(Number(shown.imfp.value), row.imfp_A);
  assert.equal(await page.$eval("#error", (e) => e.textContent), "");
  await page.close();
});

// Single results bit-equal, the depths (Doubles in the program, Singles in
// tpp2m's rows) to 1e-12 relative.
test("numbers equal tpp2m's for a sample of materials, energies and models", async () => {
  const same = (actual, expected, what) => assert.equal(Math.fround(Number(actual)), Math.fround(expected), what);
  const near = (actual, expected, what) =>
    assert.ok(Math.abs(Number(actual) - expected) <= 1e-12 * Math.abs(expected), `${what}: ${actual} vs ${expected}`);
  const page = await openPage("");
  for (const material of ["Cu", "SiO2", "Au", "Al2O3", "C", "104"]) {
    for (const energy of ["100", "1000", "1486.6", "20000"]) {
      for (const angle of ["0", "45"]) {
        const inputs = ["--energy", energy];
        await showPage(page, `?material=${material}&energy=${energy}&depth=10&cross-section=1.2&angle=${angle}`);
        const shown = await outputs(page);
        const what = `${material} at ${energy} eV, ${angle}°`;
        const imfp = runTpp2m("imfp", material, ...inputs, "--relativistic", "both");
        same(shown.imfp.value, imfp[0].imfp_A, what);
        same(shown["imfp-relativistic"].value, imfp[1].imfp_A, what);
        same(shown.cf1.value, runTpp2m("cf1", material, ...inputs, "--depth", "10")[0].cf1, what);
        same(shown.cf2.value, runTpp2m("cf2", material, ...inputs, "--cross-section", "1.2", "--depth", "10")[0].cf2,
             what);
        const depths = runTpp2m("depth", material, ...inputs, "--angle", angle, "--cross-section", "1.2");
        for (const row of depths) {
          near(shown[`information-depth-${row.correction}`].value, row.information_depth_A, what);
          near(shown[`mean-escape-depth-${row.correction}`].value, row.mean_escape_depth_A, what);
        }
        if (angle === "45")
          assert.equal(shown["information-depth-cf1"].value, undefined, what);
      }
    }
  }
  await page.close();
});

test("S computed for the material, the overlayer's thickness and a line's energy equal tpp2m's", async () => {
  const page = await openPage("");
  for (const material of ["Cu", "SiO2", "Al2O3"]) {
    await showPage(page, `?material=${material}&energy=1000&depth=10`);
    const shown = await outputs(page);
    const [transport] = runTpp2m("transport", material, "--energy", "1000");
    assert.equal(Number(shown["transport-cross-section"].value), transport.transport_cross_section_a0sq, material);
    assert.equal(Number(shown.cf2.value), runTpp2m("cf2", material, "--energy", "1000", "--depth", "10")[0].cf2,
                 material);
  }
  await showPage(page, "?overlayer=SiO2&substrate=Si&overlayer-energy=1383&substrate-energy=1387" +
                       "&ratio=0.8&bulk-ratio=0.9&angle=20");
  const [layer] = runTpp2m("thickness", "--overlayer", "SiO2", "--substrate", "Si", "--overlayer-energy", "1383",
                           "--substrate-energy", "1387", "--ratio", "0.8", "--bulk-ratio", "0.9", "--angle", "20");
  assert.equal(Number((await outputs(page)).thickness.value), layer.thickness_A);
  await showPage(page, "?material=Cu&line=Cu+2p3%2F2&source=AlKa");
  const [line] = runTpp2m("imfp", "Cu", "--line", "Cu 2p3/2", "--source", "AlKa");
  const shown = await outputs(page);
  assert.equal(shown["kinetic-energy"].text, `${line.energy_eV} eV`);
  assert.equal(Number(shown["kinetic-energy"].value), line.energy_eV);
  assert.equal(Number(shown.imfp.value), line.imfp_A);
  await page.close();
});

test("a bad input shows the error text and no number", async () => {
  for (const [search, error] of [
    ["?material=Cu&energy=abc", 'energy: "abc" is not a number'],
    ["?material=Xx&energy=1000", 'no material "Xx" in TPP2-data.db'],
    ["?density=0&mass=1&gap=0&nv=4&energy=100", "the density must be above 0"],
    ["?material=Cu&energy=1e400", 'energy: "1e400" is out of range'],
  ]) {
    const page = await openPage(search);
    assert.equal(await page.$eval("#error", (e) => e.textContent), error, search);
    const shown = await outputs(page);
    assert.deepEqual(shown.imfp, { text: "" }, search);
    await page.close();
  }
});

test("inputs that tpp2m reads as several rows give no result and a refusal that names them together", async () => {
  const page = await openPage("");
  for (const [search, args, error] of [
    ["?material=SiO2&density=5&mass=10&gap=1&nv=3&energy=1000",
     ["SiO2", "--density", "5", "--mass", "10", "--gap", "1", "--nv", "3", "--energy", "1000"],
     "name or ID and density, mass, band gap, Nv ask for two materials: give one of them"],
    ["?material=Cu&formula=Al2O3&density=3.98&gap=8.8&energy=1000",
     ["Cu", "--formula", "Al2O3", "--density", "3.98", "--gap", "8.8", "--energy", "1000"],
     "name or ID and formula ask for two materials: give one of them"],
    ["?material=SiO2&energy=1486.6&line=Si%202p&source=AlKa",
     ["SiO2", "--energy", "1486.6", "--line", "Si 2p", "--source", "AlKa"],
     "energy and core level ask for more than one energy: give one of them"],
  ]) {
    assert.equal(runTpp2m("imfp", ...args).length, 2, search);
    await showPage(page, search);
    assert.equal(await page.$eval("#error", (e) => e.textContent), error, search);
    for (const [id, shown] of Object.entries(await outputs(page)))
      assert.equal(shown.value, undefined, `${search}: ${id}`);
    assert.equal(await page.$eval("#curve", (e) => e.hidden), true, search);
  }
  // A form tpp2m refuses is refused, not read as the non-relativistic one.
  await showPage(page, "?material=Cu&energy=1000&relativistic=true");
  assert.equal(await page.$eval("#error", (e) => e.textContent), 'form takes no value or "both" (got "true")');
  assert.equal((await outputs(page)).imfp.value, undefined);
  await page.close();
});

test("a formula's IMFP equals tpp2m's, its Nv and mass summed from the element rows", async () => {
  const page = await openPage("?formula=Al2O3&density=3.98&gap=8.8&energy=1500");
  const [row] = runTpp2m("imfp", "--formula", "Al2O3", "--density", "3.98", "--gap", "8.8", "--energy", "1500");
  assert.equal(Number((await outputs(page)).imfp.value), row.imfp_A);
  await showPage(page, "?formula=Ca(OH)2&density=2.21&gap=5&energy=1000&include=hbe,lbe");
  const [counted] = runTpp2m("imfp", "--formula", "Ca(OH)2", "--density", "2.21", "--gap", "5", "--energy", "1000",
                             "--include", "hbe,lbe");
  assert.equal(Number((await outputs(page)).imfp.value), counted.imfp_A);
  assert.equal(await page.$eval("#error", (e) => e.textContent), "");
  await showPage(page, "?formula=Si2Xx&density=2&gap=0&energy=1000");
  assert.equal(await page.$eval("#error", (e) => e.textContent), 'unknown element "Xx" in the formula "Si2Xx"');
  assert.deepEqual((await outputs(page)).imfp, { text: "" });
  await page.close();
});

test("an opened database shows its own materials", async () => {
  const file = join(work, "TPP2-user.db");
  copyFileSync(join(site, "materials.db"), file);
  execFileSync("sqlite3", [file, `INSERT INTO tblIMFPdata VALUES (500, 'made for the test', 'Testium', 3.5, 70.2, 4.1, 0, 4, 0, 0)`]);
  const page = await openPage("?material=Testium&energy=2000");
  assert.equal(await page.$eval("#error", (e) => e.textContent), 'no material "Testium" in TPP2-data.db');
  const chooser = await page.$("#database-file");
  await chooser.uploadFile(file);
  await page.waitForFunction(() => document.getElementById("database-name").value === "TPP2-user.db");
  const names = await page.$$eval("#material-names option", (options) => options.map((o) => o.value));
  assert.ok(names.includes("Testium"));
  const [row] = runTpp2m("imfp", "Testium", "--energy", "2000", "--database", file);
  assert.equal(Number((await outputs(page)).imfp.value), row.imfp_A);
  assert.equal(await page.$eval("#error", (e) => e.textContent), "");
  await page.close();
});

test("a file that is no materials database is refused with tpp2m's reason", async () => {
  const folder = mkdtempSync(join(tmpdir(), "korvane-db-"));
  const columns = '"Description" TEXT, "Density" REAL, "Atomic wght" REAL, "Energy gap 300 K" REAL, ' +
                  '"valel s+p,n" REAL, "valel s+p,n+1" REAL, "valel d" REAL, "valel f" REAL';
  const files = {
    "no-table.db": "CREATE TABLE other (x)",
    "no-column.db": `CREATE TABLE tblIMFPdata ("ID" INTEGER PRIMARY KEY, "Description" TEXT, "Name" TEXT, "Density" REAL)`,
    "wrong-order.db": `CREATE TABLE tblIMFPdata ("Name" TEXT, "ID" INTEGER PRIMARY KEY, ${columns})`,
    "repeated-id.db": `CREATE TABLE tblIMFPdata ("ID" INTEGER, ${columns.replace('"Density"', '"Name" TEXT, "Density"')});` +
                      "INSERT INTO tblIMFPdata (ID, Name) VALUES (3, 'a'), (3, 'b')",
    "real-id.db": `CREATE TABLE tblIMFPdata ("ID" REAL, ${columns.replace('"Density"', '"Name" TEXT, "Density"')});` +
                  "INSERT INTO tblIMFPdata (ID, Name) VALUES (3.0, 'a')",
    "text-file.db": "",
  };
  const page = await openPage("?material=Cu&energy=1000");
  for (const [name, sql] of Object.entries(files)) {
    const file = join(folder, name);
    if (sql)
      execFileSync("sqlite3", [file, sql]);
    else
      writeFileSync(file, "ID,Name\n1,not a database but a text file of some length ".repeat(20));
    await (await page.$("#database-file")).uploadFile(file);
    const words = tpp2mIn(folder, "list", "--database", name);
    assert.match(words, /cannot be opened: /, name);
    await page.waitForFunction((text) => document.getElementById("error").textContent === text, {}, words);
    assert.equal(await page.$eval("#database-name", (e) => e.value), "TPP2-data.db", name);
  }
  rmSync(folder, { recursive: true, force: true });
  await page.close();
});

test("the keyboard reaches every input in order, and typing gives the result", async () => {
  const page = await openPage("");
  await page.focus("#material");
  await page.keyboard.type("SiO2");
  const order = ["material"];
  for (let i = 0; i < 25; ++i) {
    await page.keyboard.press("Tab");
    order.push(await page.evaluate(() => document.activeElement.id));
  }
  assert.deepEqual(order, ["material", "open-database", "density", "mass", "gap", "nv", "formula", "include",
                           "energy", "depth", "cross-section", "angle", "probability",
                           "line", "source", "photon-energy", "overlayer", "substrate",
                           "overlayer-energy", "substrate-energy", "ratio", "bulk-ratio",
                           "materials", "log", "range", "relativistic"]);
  await page.focus("#energy");
  await page.keyboard.type("1000");
  const [row] = runTpp2m("imfp", "SiO2", "--energy", "1000");
  assert.equal(Number((await outputs(page)).imfp.value), row.imfp_A);
  assert.equal(new URL(page.url()).search, "?material=SiO2&energy=1000");
  await page.close();
});

test("the IMFP curve: its CSV is tpp2m imfp --csv's bytes, its PNG an image", async () => {
  const page = await openPage("?materials=Cu,104&log=50:5000:20&relativistic=both");
  assert.equal(await page.$eval("#error", (e) => e.textContent), "");
  assert.equal(await page.$eval("#curve", (e) => e.hidden), false);
  assert.ok(await page.$("#imfp-curve canvas"));
  const csv = await page.$eval("#download-csv", (link) => fetch(link.href).then((r) => r.text()));
  assert.equal(csv, tpp2mIn(work, "imfp", "Cu", "104", "--log", "50:5000:20", "--relativistic", "both", "--csv"));
  assert.equal(await page.$eval("#download-csv", (link) => link.download), "imfp.csv");

  const folder = mkdtempSync(join(tmpdir(), "korvane-png-"));
  const session = await page.createCDPSession();
  await session.send("Browser.setDownloadBehavior", { behavior: "allow", downloadPath: folder });
  await page.focus("#download-png");
  await page.keyboard.press("Enter");
  const file = join(folder, "imfp-curve.png");
  while (!existsSync(file))
    await new Promise((wake) => setTimeout(wake, 50));
  const png = readFileSync(file);
  assert.deepEqual([...png.subarray(0, 8)], [0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a]);
  assert.ok(png.length > 10000, `${png.length} bytes`);
  rmSync(folder, { recursive: true, force: true });
  await page.close();
});

// tpp2m reads the shipped database by the name the page gives it.
test("an invalid curve input shows tpp2m's words with the field's name and no curve", async () => {
  tpp2mIn(work, "list");
  const page = await openPage("");
  for (const [search, args] of [
    ["?materials=Cu&log=50:5000", ["--log", "50:5000"]],
    ["?materials=Cu&log=50:5000:1e400", ["--log", "50:5000:1e400"]],
    ["?materials=Cu&range=100:10:5", ["--range", "100:10:5"]],
    ["?materials=Cu,Xx&log=50:5000:10", ["--log", "50:5000:10"]],
  ]) {
    await showPage(page, search);
    const materials = new URLSearchParams(search).get("materials").split(",");
    // tpp2m's words, with the field's name where tpp2m names its option.
    const words = tpp2mIn(join(work, "DataBase"), "imfp", ...materials, ...args, "--database", "TPP2-data.db")
      .replace("--log", "log energies").replace("--range", "energies");
    assert.equal(await page.$eval("#error", (e) => e.textContent), words, search);
    assert.equal(await page.$eval("#curve", (e) => e.hidden), true, search);
    assert.equal(await page.$("#imfp-curve canvas"), null, search);
    assert.equal(await page.$eval("#download-csv", (link) => link.hasAttribute("href")), false, search);
  }
  await page.close();
});

test("the page works with the network cut after load", async () => {
  const page = await openPage("?material=Cu&energy=1000");
  await page.evaluate(() => navigator.serviceWorker.ready);
  await page.reload();
  await page.waitForSelector("body[data-state=ready]");
  await page.setOfflineMode(true);
  await page.goto(server.url + "?material=Au&energy=500");
  await page.waitForSelector("body[data-state=ready]");
  const [row] = runTpp2m("imfp", "Au", "--energy", "500");
  assert.equal(Number((await outputs(page)).imfp.value), row.imfp_A);
  await page.close();
});

test("no console error and no request to another host", () => {
  assert.deepEqual(problems, []);
});
