// The functions the page's script calls: the inputs as the address carries
// them in, the results as JSON out. The script hands every text over in the
// module's heap, never on its stack, whose size a pasted text can exceed.
#include "core/TextEscapes.h"
#include "web/BindingEnergyTable.h"
#include "web/CrossSectionTable.h"
#include "web/PageCurve.h"
#include "web/PageDatabaseCheck.h"
#include "web/PageMaterial.h"
#include "web/PageQuantify.h"
#include "web/PageQuery.h"
#include "web/PageResults.h"
#include "web/PageStack.h"

#include <emscripten/emscripten.h>

#include <string>
#include <vector>

namespace {

std::string jsonList(const std::vector<std::string>& texts)
{
    std::string json = "[";
    for (const std::string& text : texts) {
        if (json.size() > 1)
            json += ',';
        korvane::text::appendJsonString(json, text);
    }
    return json + ']';
}

} // namespace

extern "C" {

// The results for the inputs `query` ("material=Cu&energy=1000&..."). The
// text stays valid until the next call.
EMSCRIPTEN_KEEPALIVE const char* korvane_page_results(const char* query)
{
    static std::string json;
    json = korvane::page::resultsJson(korvane::page::evaluatePage(korvane::page::PageQuery(query)));
    return json.c_str();
}

// The IMFP curve for the inputs `query`, with at most `maxPoints` energies
// drawn (web/PageCurve.h). The text stays valid until the next call.
EMSCRIPTEN_KEEPALIVE const char* korvane_page_curve(const char* query, int maxPoints)
{
    static std::string json;
    json = korvane::page::pageCurveJson(korvane::page::PageQuery(query), std::size_t(maxPoints > 0 ? maxPoints : 0));
    return json.c_str();
}

// The curve's CSV, every energy, for the inputs `query`. The text stays
// valid until the next call.
EMSCRIPTEN_KEEPALIVE const char* korvane_page_curve_csv(const char* query)
{
    static std::string csv;
    csv = korvane::page::pageCurveCsv(korvane::page::PageQuery(query));
    return csv.c_str();
}

// The answer for the file `fileName` from what the script learnt of it
// (web/PageDatabaseCheck.h): no errors when it is a usable materials
// database. The text stays valid until the next call.
EMSCRIPTEN_KEEPALIVE const char* korvane_page_check_database(const char* facts, const char* fileName)
{
    static std::string json;
    json = korvane::page::resultsJson(korvane::page::checkDatabase(korvane::page::PageQuery(facts), fileName));
    return json.c_str();
}

// The answer when SQLite cannot read the file `fileName` at all.
EMSCRIPTEN_KEEPALIVE const char* korvane_page_unusable_database(const char* fileName, const char* sqliteWords)
{
    static std::string json;
    json = korvane::page::resultsJson(korvane::page::unusableDatabase(fileName, sqliteWords));
    return json.c_str();
}

// The element symbols of a formula, as a JSON list, whose rows the script
// hands over with the inputs. The text stays valid until the next call.
EMSCRIPTEN_KEEPALIVE const char* korvane_page_formula_symbols(const char* formula)
{
    static std::string json;
    json = jsonList(korvane::page::formulaSymbols(formula));
    return json.c_str();
}

// The names of the curve's materials, as a JSON list, whose rows the script
// hands over with the inputs. The text stays valid until the next call.
EMSCRIPTEN_KEEPALIVE const char* korvane_page_curve_materials(const char* materials)
{
    static std::string json;
    json = jsonList(korvane::page::curveMaterialNames(materials));
    return json.c_str();
}

// The layered sample's rows for the inputs `query` (web/PageStack.h), as
// JSON or as tpp2m stack --csv writes them. The text stays valid until the
// next call.
EMSCRIPTEN_KEEPALIVE const char* korvane_page_stack(const char* query, int csv)
{
    static std::string text;
    const korvane::page::PageTable table = korvane::page::pageStack(korvane::page::PageQuery(query));
    text = csv ? korvane::page::tableCsv(table) : korvane::page::tableJson(table);
    return text.c_str();
}

// The quantification's rows for the inputs `query` (web/PageQuantify.h),
// as JSON or as tpp2m quantify --csv writes them. The text stays valid until
// the next call.
EMSCRIPTEN_KEEPALIVE const char* korvane_page_quantify(const char* query, int csv)
{
    static std::string text;
    const korvane::page::PageTable table = korvane::page::pageQuantification(korvane::page::PageQuery(query));
    text = csv ? korvane::page::tableCsv(table) : korvane::page::tableJson(table);
    return text.c_str();
}

// Reads the binding energies of the page's data, once at start.
EMSCRIPTEN_KEEPALIVE void korvane_page_set_binding_energies(const char* table)
{
    korvane::page::pageBindingEnergies() = korvane::page::BindingEnergyTable(table);
}

// Reads the photoionisation cross-sections of the page's data, once at start.
EMSCRIPTEN_KEEPALIVE void korvane_page_set_cross_sections(const char* table)
{
    korvane::page::pageCrossSections() = korvane::page::CrossSectionTable(table);
}
}
