#pragma once
// Starting a program the user goes on with (the browser for the help, the
// text editor), without waiting for it.  Some of them start and then fail
// on their own: xdg-open with no browser or editor to hand the file to
// ends at once with "no method available".  A program that ends with a
// failure within kWatchMilliseconds is therefore told through failed, with
// the last of what it wrote to standard error; one that runs on is left to
// run, and goes on when this program ends.

#include <QString>
#include <QStringList>

#include <functional>

class QObject;

namespace petari {

constexpr int kWatchMilliseconds = 10000;

// Starts program with arguments.  False when it cannot be started at all.
// failed is called on context's thread while context lives.
bool startWatched(const QString& program, const QStringList& arguments, QObject* context,
                  std::function<void(const QString& errorText)> failed);

}  // namespace petari
