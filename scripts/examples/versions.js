// Prints the installed version and server file of each of the suite's
// components, found by ProgID through the upgrade component Mendor.Verup.
//
//   plinth-script scripts/examples/versions.js              the suite's components
//   plinth-script scripts/examples/versions.js Kaldra.Setup  just the ones named
//
// One line per component: ProgID, version (or "not installed"), file.

var suite = [
    "Tessel.Tessel",
    "Facet.CellProperty",
    "Kaldra.Setup",
    "Pressel.Out",
    "Querist.SQLEditor",
    "Quillon.Editor",
    "Mendor.Verup"
];

var progIds = suite;
if (WScript.Arguments.length > 0) {
    progIds = [];
    for (var i = 0; i < WScript.Arguments.length; ++i)
        progIds.push(WScript.Arguments(i));
}

var verup = new ActiveXObject("Mendor.Verup");
for (var n = 0; n < progIds.length; ++n) {
    var progId = progIds[n];
    var file = verup.GetCOMPath(progId);
    if (file === "") {
        WScript.Echo(progId + "\tnot installed");
        continue;
    }
    // Versions come as "1,1,0,1"; upgrade descriptions write them with points.
    var version = verup.GetCOMVersion(progId).replace(/,/g, ".");
    WScript.Echo(progId + "\t" + version + "\t" + file);
}
