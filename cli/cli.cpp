#include "cli/cli.h"

#include <algorithm>
#include <ostream>

#include "cli/cli_support.h"
#include "cli/document_commands.h"

namespace {

using CommandFn = int (*)(const std::vector<std::string>&, std::ostream&, std::ostream&);

struct Command {
    const char* name;
    const char* usage;
    const char* help;
    CommandFn run;
};

const Command kCommands[] = {
    {"new", "trazel-cli new OUT [--peak POS,INT,ANCHURA[,ESCALA[,s]]]...",
     "  Escribe en OUT un documento con esos máximos, en el orden dado.\n"
     "  ESCALA vale 1 si se omite; una «s» final marca la curva para verla por separado.\n"
     "  Un documento admite como mucho 99 máximos.\n",
     RunNew},
    {"show", "trazel-cli show DOC",
     "  Muestra la tabla de máximos de DOC como la lista de la ventana: los seis\n"
     "  encabezados y una línea por máximo, el más reciente primero, separados por\n"
     "  tabuladores.\n",
     RunShow},
    {"convert", "trazel-cli convert DOC OUT",
     "  Lee DOC (formato actual o antiguo) y lo escribe en OUT con el formato actual.\n",
     RunConvert},
};

const Command* FindCommand(const std::string& name) {
    const auto it = std::find_if(std::begin(kCommands), std::end(kCommands),
                                 [&](const Command& c) { return name == c.name; });
    return it == std::end(kCommands) ? nullptr : &*it;
}

void PrintHelp(std::ostream& out) {
    out << "trazel-cli: sumas de bandas gaussianas o lorentzianas sin abrir la ventana.\n\n"
           "Uso:\n";
    for (const Command& command : kCommands) {
        out << "\n" << command.usage << "\n" << command.help;
    }
    out << "\nLos números se escriben con punto decimal. Estado de salida: 0 si todo fue bien,\n"
           "1 si un archivo no se pudo leer o escribir, 2 si la orden está mal escrita.\n";
}

}  // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty()) {
        err << "uso: trazel-cli ORDEN [ARGUMENTOS]   (trazel-cli --help para la ayuda)\n";
        return kExitUsage;
    }
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        PrintHelp(out);
        return kExitOk;
    }
    const Command* command = FindCommand(args[0]);
    if (command == nullptr) {
        err << "trazel-cli: orden desconocida: " << args[0] << "\n"
            << "uso: trazel-cli ORDEN [ARGUMENTOS]   (trazel-cli --help para la ayuda)\n";
        return kExitUsage;
    }
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    if (std::find(rest.begin(), rest.end(), "--help") != rest.end()) {
        out << "uso: " << command->usage << "\n" << command->help;
        return kExitOk;
    }
    try {
        return command->run(rest, out, err);
    } catch (const UsageError& e) {
        err << "trazel-cli " << command->name << ": " << e.what() << "\n"
            << "uso: " << command->usage << "\n";
        return kExitUsage;
    } catch (const FileError& e) {
        err << "trazel-cli " << command->name << ": " << e.what() << "\n";
        return kExitFileError;
    }
}
