#pragma once

#include "document/trainfileformat.h"

namespace Orlenda {

class FieldReader;
class Prompter;
class TrainData;

// Reads the sections of a current-format train file into data, which holds
// the defaults and its FormatVersion. reader stands just after the first
// field of the file. Failures are reported under "OpenDat"; a file that ends
// inside a section is reported once and ends the reading there.
// ProgramEndRequested propagates when the user chooses to end the program.
void openDat(TrainData& data, FieldReader& reader, Prompter& prompter);

} // namespace Orlenda
