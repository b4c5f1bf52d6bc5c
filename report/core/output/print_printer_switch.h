// Changing the printer of a report built from a template: the template pages take their
// paper again on the new printer, so that a rebuild lays the pages out for it.
#pragma once

namespace report {

class DialogService;
class Report;

// Selects entry `newIndex` of the printer layer's list, records its name as the report's
// printer and re-applies every template page's paper (which refreshes its metrics). When any
// step fails, or the layer could not read the printer and fell back to its virtual one: the box
// "L'imprimante sélectionnée est non valide" ("Erreur", stop icon), entry `oldIndex` is selected
// again the same way, and the answer is false.
bool SwitchPrinter(Report& report, DialogService& dialogs, int oldIndex, int newIndex);

}  // namespace report
