#pragma once
#include <QMainWindow>

class QApplication;

namespace petari {

// The main window.
class Form1 : public QMainWindow {
    Q_OBJECT
public:
    explicit Form1(QWidget* parent = nullptr);
};

// Creates the main window, shows it and runs the event loop.
int runMainWindow(QApplication& app);

}  // namespace petari
