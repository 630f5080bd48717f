// The program's C++ functions as the page and the curve's worker call them.
// Every text goes over in memory taken from the module's heap, never on its
// stack: a pasted text of a million characters would overflow the stack and
// leave the module broken for every later call.
"use strict";

function korvaneCalls(module) {
  // The text that the C++ function `name` returns for the texts and numbers given.
  const call = (name, texts, numbers = []) => {
    const pointers = texts.map((text) => {
      const size = module.lengthBytesUTF8(text) + 1;
      const pointer = module._malloc(size);
      if (!pointer)
        throw new Error("no memory for a text of " + text.length + " characters");
      module.stringToUTF8(text, pointer, size);
      return pointer;
    });
    try {
      const types = [...texts, ...numbers].map(() => "number");
      return module.UTF8ToString(module.ccall(name, "number", types, [...pointers, ...numbers]));
    } finally {
      pointers.forEach((pointer) => module._free(pointer));
    }
  };
  return {
    results: (query) => call("korvane_page_results", [query]),
    unusableDatabase: (fileName, words) => call("korvane_page_unusable_database", [fileName, words]),
    checkDatabase: (facts, fileName) => call("korvane_page_check_database", [facts, fileName]),
    formulaSymbols: (formula) => call("korvane_page_formula_symbols", [formula]),
    curveMaterials: (materials) => call("korvane_page_curve_materials", [materials]),
    curve: (query, maxPoints) => call("korvane_page_curve", [query], [maxPoints]),
    curveCsv: (query) => call("korvane_page_curve_csv", [query]),
    stack: (query) => call("korvane_page_stack", [query], [0]),
    stackCsv: (query) => call("korvane_page_stack", [query], [1]),
    quantify: (query) => call("korvane_page_quantify", [query], [0]),
    quantifyCsv: (query) => call("korvane_page_quantify", [query], [1]),
    setBindingEnergies: (table) => call("korvane_page_set_binding_energies", [table]),
    setCrossSections: (table) => call("korvane_page_set_cross_sections", [table]),
  };
}
