#pragma once
// What the running copy does with the files later starts handed over.

#include <QStringList>

namespace petari {

class MainController;

// Opens the files in the order they came, each as any file is opened; of
// several, those that are not there are reported once together.
void openHandedOver(MainController& controller, const QStringList& files);

}  // namespace petari
