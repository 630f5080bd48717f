#include "python/MaterialsTable.h"

#include "lookup/MaterialCatalog.h"
#include "lookup/MaterialResolution.h"
#include "python/NumpyScalars.h"
#include "python/PythonWords.h"
#include "python/ScalarArguments.h"
#include "python/SingleResults.h"

#include <pybind11/numpy.h>

#include <QFileInfo>

namespace korvane::python {

namespace {

std::string text(const QString& message)
{
    return message.toStdString();
}

// The file a call reads: the default database under the working directory
// (created from the shipped materials when missing, as tpp2m does), or a
// file the caller names, which must exist: a mistyped path raises
// FileNotFoundError rather than leave a new database behind. A folder is
// left to the opening, which says that it is one.
QString databasePath(py::handle database)
{
    if (database.is_none())
        return QString::fromLatin1(kDatabasePath);
    const py::object path = py::module_::import("os").attr("fspath")(database);
    if (!py::isinstance<py::str>(path))
        throw py::type_error("database must be a path given as text");
    const QString given = QString::fromStdString(path.cast<std::string>());
    if (!QFileInfo::exists(given)) {
        const std::string message =
            text(QStringLiteral("the materials database %1 cannot be opened: no such file").arg(given));
        PyErr_SetString(PyExc_FileNotFoundError, message.c_str());
        throw py::error_already_set();
    }
    return given;
}

// Only the default database is made when it is missing.
WhenMissing whenMissing(py::handle database)
{
    return database.is_none() ? WhenMissing::Create : WhenMissing::Refuse;
}

// Runs tpp2m's resolution of one material; ValueError with its message.
MaterialInputs resolved(const MaterialRef& ref, py::handle database, const ValenceTicks& groups)
{
    const MaterialSource source{databasePath(database), whenMissing(database), groups};
    const Result<std::vector<MaterialInputs>> found = [&] {
        py::gil_scoped_release unlocked;
        return resolveMaterials({ref}, source);
    }();
    if (!found)
        throw py::value_error(pythonWords(errorText(found)));
    return found->front();
}

py::object singleOrNone(const std::optional<float>& value)
{
    return value ? singleScalar(*value) : py::none();
}

} // namespace

NamedText includeText(py::handle include)
{
    if (py::isinstance<py::str>(include))
        return {"include", include.cast<std::string>()};
    NamedText names{"include", ""};
    for (const py::handle name : include) {
        if (!names.text.empty())
            names.text += ',';
        names.text += py::isinstance<py::str>(name) ? name.cast<std::string>() : py::str(name).cast<std::string>();
    }
    if (names.text.empty())
        names.text = "none";
    return names;
}

ValenceTicks includedGroups(py::handle include)
{
    return requestOf({includeText(include)}, {}).groups;
}

NamedText materialText(py::handle nameOrId)
{
    if (py::isinstance<py::str>(nameOrId))
        return {"name", nameOrId.cast<std::string>()};
    if (!isWholeNumberObject(nameOrId))
        throw py::type_error("material must be a name or an ID");
    const py::object whole = py::reinterpret_steal<py::object>(PyNumber_Index(nameOrId.ptr()));
    const std::string digits = py::str(whole).cast<std::string>();
    // An int beyond the IDs a database holds (64 bits) is still a whole
    // number, which the reader's ID would refuse as none: it is no row's ID,
    // so it is looked up by its digits as a name, and finds nothing in the
    // words of any material not found.
    int overflow = 0;
    PyLong_AsLongLongAndOverflow(whole.ptr(), &overflow);
    return {overflow == 0 ? "id" : "name", digits};
}

MaterialInputs databaseMaterial(const MaterialByName& material, py::handle database, const ValenceTicks& groups)
{
    const NamedMaterial::By by =
        material.by == MaterialByName::By::Id ? NamedMaterial::By::Id : NamedMaterial::By::Name;
    return resolved(NamedMaterial{QString::fromStdString(material.text), by}, database, groups);
}

MaterialInputs databaseMaterial(py::handle nameOrId, py::handle database, const ValenceTicks& groups)
{
    const Request request = requestOf({materialText(nameOrId)}, {});
    return databaseMaterial(std::get<MaterialByName>(request.materials.front()), database, groups);
}

py::tuple formula(const std::string& formula, py::handle database, const ValenceTicks& groups)
{
    MaterialInputs summed = resolved(FormulaMaterial{QString::fromStdString(formula)}, database, groups);
    return py::make_tuple(singleOrNone(summed.values.valenceElectrons), singleOrNone(summed.values.mass));
}

py::list materials(py::handle database, const ValenceTicks& groups)
{
    const QString path = databasePath(database);
    std::vector<Material> rows;
    Result<void> read;
    {
        py::gil_scoped_release unlocked;
        const Result<MaterialCatalog> catalog = MaterialCatalog::open(path, whenMissing(database));
        read = catalog ? catalog->forEach([&rows](const Material& m) {
            rows.push_back(m);
            return true;
        })
                       : Result<void>(catalog.failure());
    }
    if (!read)
        throw py::value_error(
            text(QStringLiteral("the materials database %1 cannot be opened: %2").arg(path, errorText(read))));
    py::list table;
    for (const Material& m : rows) {
        py::dict row;
        row["id"] = m.id;
        row["name"] = m.name.isNull() ? py::object(py::none()) : py::str(text(m.name));
        row["density"] = singleOrNone(m.density);
        row["mass"] = singleOrNone(m.atomicWeight);
        row["gap"] = singleOrNone(m.energyGap);
        row["sp_hbe"] = singleOrNone(m.valenceSpHbe);
        row["sp_lbe"] = singleOrNone(m.valenceSpLbe);
        row["d"] = singleOrNone(m.valenceD);
        row["f"] = singleOrNone(m.valenceF);
        row["nv"] = singleOrNone(valenceTotal(m, groups));
        table.append(row);
    }
    return table;
}

} // namespace korvane::python
