#pragma once

#include <QStringList>
#include <memory>

#include "document/tesseldoc.h"

class CMainFrame;
class Prompter;

// The application: one document, one main window with its view, created at
// start-up and kept until the program ends.
class CTesselApp {
public:
    explicit CTesselApp(Prompter& prompter);
    ~CTesselApp();

    // Reads the command line (--help and --version end the program there),
    // starts a new game or opens the file named, and shows the window. False
    // when the program must end: the named file could not be read.
    bool InitInstance(const QStringList& arguments);

    // Answers --help, --version and --export-pgn, which need no display, and
    // ends the program; a command line it does not understand ends it with
    // the usage and status 2. Does nothing for any other command line.
    static void AnswerWithoutDisplay(const QStringList& arguments);
    // The game file named on the command line, or empty. A command line it
    // does not understand ends the program with the usage and status 2.
    static QString ParseCommandLine(const QStringList& arguments);
    // The time control of the first game: --time-control's, else the one
    // chosen in the last run.
    static TimeControl StartTimeControl(const QStringList& arguments);

    CTesselDoc& Document() { return m_doc; }
    CMainFrame* MainFrame() const { return m_mainFrame.get(); }

private:
    Prompter& m_prompter;
    CTesselDoc m_doc;
    std::unique_ptr<CMainFrame> m_mainFrame;
};
