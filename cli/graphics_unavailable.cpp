#include "cli/cli_support.h"
#include "cli/output_commands.h"

// A build without Qt has no way to draw text or write PNG, SVG or PDF.

int RunPlot(const std::vector<std::string>&, std::ostream&, std::ostream&) {
    throw FileError("esta compilación de trazel-cli no incluye Qt: no puede dibujar gráficos.");
}

int RunPrint(const std::vector<std::string>&, std::ostream&, std::ostream&) {
    throw FileError("esta compilación de trazel-cli no incluye Qt: no puede imprimir informes.");
}
