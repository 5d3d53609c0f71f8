#pragma once

class QCoreApplication;

namespace tarnelby {

// Makes SIGTERM, SIGINT and SIGHUP end `app`'s event loop with status 0, as a
// desktop session expects at logout, so that the program leaves through
// main() and every destructor runs. Call once, after creating `app`.
void quitOnTerminationSignals(QCoreApplication& app);

} // namespace tarnelby
