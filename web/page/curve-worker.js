// The IMFP curve and its CSV, computed away from the page: a curve of 100000
// energies takes its time, and the page answers typing meanwhile. Each
// message is { id, kind: "curve" or "csv", query, maxPoints }; each answer
// { id, text } with the C++'s text, or { id, failure } when the call failed.
"use strict";
importScripts("korvane.js", "module-calls.js");

const calls = createKorvane().then(korvaneCalls);

self.addEventListener("message", async (event) => {
  const { id, kind, query, maxPoints } = event.data;
  const korvane = await calls;
  try {
    const text = kind === "csv" ? korvane.curveCsv(query) : korvane.curve(query, maxPoints);
    self.postMessage({ id, text });
  } catch (error) {
    self.postMessage({ id, failure: String(error) });
  }
});
