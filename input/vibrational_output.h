#pragma once

#include <optional>
#include <string>
#include <vector>

#include "input/line_reader.h"
#include "input/read_result.h"

namespace trazel::input {

// The programs whose vibrational analysis is read as a band list.
enum class QcProgram { Gaussian, Orca, QChem, Nwchem, Gamess, Molden };

const char* QcProgramName(QcProgram program);

// One normal mode as the program printed it. Imaginary modes (printed
// negative) and the translations and rotations (printed as zeros, or those
// GAMESS says it took as such) are listed but give no band.
struct VibrationalMode {
    enum class LeftOut { No, Imaginary, Zero };
    double wavenumber = 0.0;              // cm-1, negative when imaginary
    std::optional<double> infrared;       // km/mol
    std::optional<double> ramanActivity;  // Å⁴/amu
    LeftOut leftOut = LeftOut::No;
};

struct VibrationalAnalysis {
    QcProgram program = QcProgram::Gaussian;
    std::vector<VibrationalMode> modes;  // in the program's order
    bool infrared = false;               // every mode has its intensity
    bool raman = false;                  // every mode has its activity
};

// The program that wrote the file, told from its opening lines; the reader is
// left at the start of the file again.
std::optional<QcProgram> RecogniseQcOutput(LineReader& reader);

// The last vibrational analysis in an output of program, or a message when it
// has none, is cut short or holds something that is not a number.
ReadResult<VibrationalAnalysis> ReadVibrationalAnalysis(LineReader& reader, QcProgram program,
                                                        const std::string& path);

// The Raman scattered intensity of a mode of wavenumber nu (cm-1) and
// activity S for a laser line of wavenumber nu0 at temperature T (K), up to a
// constant factor: (nu0 - nu)^4 S / (nu (1 - exp(-h c nu / k T))).
double RamanIntensity(double nu0, double nu, double activity, double temperature);

}  // namespace trazel::input
