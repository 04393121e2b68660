// How a sibling tool was started, written where tests read it: one file
// beside the program, "<program>_start.log", two lines a start:
//   command=<the command line>
//   directory=<the working directory>
#pragma once

// Appends this process's command line and working directory; false when the
// record could not be written.
bool RecordStart();
