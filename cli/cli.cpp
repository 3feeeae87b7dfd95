#include "cli/cli.h"

#include <algorithm>
#include <cerrno>
#include <new>
#include <ostream>

#include "cli/cli_support.h"
#include "cli/compare_command.h"
#include "cli/document_commands.h"
#include "cli/fit_command.h"
#include "cli/output_commands.h"
#include "cli/peaks_command.h"
#include "cli/spectrum_command.h"
#include "platform/atomic_file.h"
#include "platform/translation.h"
#include "platform/version.h"

using namespace trazel::platform;
using namespace trazel::model;
using namespace trazel::output;

namespace trazel::cli {

namespace {

using CommandFn = int (*)(const std::vector<std::string>&, std::ostream&, std::ostream&);

struct Command {
    const char* name;
    const char* usage;
    const char* help;
    CommandFn run;
};

const Command kCommands[] = {
    {"new",
     TRAZEL_TR_NOOP(
         "CliHelp",
         "trazel-cli new OUT [--peak POS,INT,ANCHURA[,ESCALA[,s]][,forma=F[:ETA]]]...\n"
         "                [--from FILE [--width W] [--scale S] [--areas] [--lorentzian]\n"
         "                [--kind ir|raman-activity|raman [--laser NM] [--temperature K]]\n"
         "                [--strongest] [--range DESDE:HASTA]]"),
     TRAZEL_TR_NOOP(
         "CliHelp",
         "  Escribe en OUT un documento con esos máximos, en el orden dado.\n"
         "  ESCALA vale 1 si se omite; una «s» final marca la curva para verla por separado.\n"
         "  ANCHURA debe ser mayor que 0. Un documento admite como mucho 99 máximos.\n"
         "  forma=F da a la banda una forma propia: g (gaussiana), l (lorentziana), pv\n"
         "  (pseudo-Voigt) o v (Voigt), con la fracción lorentziana ETA entre 0 y 1 (0,5)\n"
         "  para pv y v; sin ella, la banda sigue la forma del documento.\n"
         "  --from FILE   añade, en ese punto del orden, las bandas de una lista: una tabla\n"
         "                de texto (columnas separadas por espacios, tabuladores, comas o\n"
         "                puntos y comas; posición, intensidad y, si las hay, anchura y\n"
         "                escala, o las que nombre su encabezado, con forma y eta si las\n"
         "                trae, como las escribe show --csv) o una tabla de picos\n"
         "                JCAMP-DX, o el análisis de frecuencias de una salida de Gaussian,\n"
         "                ORCA, Q-Chem, NWChem, GAMESS o Molden (un modo por banda; se\n"
         "                dejan fuera las frecuencias imaginarias, con un aviso, y las\n"
         "                traslaciones y rotaciones).\n"
         "                Si algo falla no se escribe nada.\n"
         "  --width W     la anchura de las bandas que no la traen (obligatoria si la\n"
         "                lista no tiene columna de anchuras)\n"
         "  --scale S     la escala de las bandas que no la traen (1)\n"
         "  --areas       la columna de intensidades da áreas: cada una se convierte en\n"
         "                la altura que da esa área con la anchura de la banda\n"
         "  --lorentzian  las áreas son de bandas lorentzianas (si no, gaussianas)\n"
         "  --kind K      qué da una salida de química cuántica como intensidades: ir, las\n"
         "                intensidades infrarrojas en km/mol, tomadas como áreas (la opción\n"
         "                por omisión); raman-activity, las actividades Raman como se\n"
         "                imprimen; raman, las intensidades Raman (n0 - n)^4 S / (n (1 -\n"
         "                exp(- h c n / k T))), la más alta 100\n"
         "  --laser NM    la línea del láser de --kind raman en nm (532)\n"
         "  --temperature K  la temperatura de --kind raman en K (298,15)\n"
         "  --strongest   si una salida de química cuántica da más bandas de las que\n"
         "                caben, toma las más intensas que caben (si no, no se importa\n"
         "                ninguna)\n"
         "  --range DESDE:HASTA  toma de una salida de química cuántica solo los modos\n"
         "                cuyo número de onda, como se imprime, está entre DESDE y HASTA\n"
         "                (cm-1)\n"),
     RunNew},
    {"bands", TRAZEL_TR_NOOP("CliHelp", "trazel-cli bands FILE"),
     TRAZEL_TR_NOOP(
         "CliHelp",
         "  Muestra los modos del análisis de frecuencias de una salida de Gaussian, ORCA,\n"
         "  Q-Chem, NWChem, GAMESS o Molden, los mismos bytes en cualquier idioma: el\n"
         "  programa en una línea «#» y, separados por tabuladores, el número de onda en\n"
         "  cm-1, la intensidad infrarroja en km/mol, la actividad Raman en A^4/amu («-»\n"
         "  si el archivo no la da) y si el modo se deja fuera de las bandas (imaginary,\n"
         "  zero) o no («-»).\n"),
     RunBands},
    {"show", TRAZEL_TR_NOOP("CliHelp", "trazel-cli show DOC [--csv]"),
     TRAZEL_TR_NOOP(
         "CliHelp",
         "  Muestra la tabla de máximos de DOC como la lista de la ventana: los seis\n"
         "  encabezados y una línea por máximo, el más reciente primero, separados por\n"
         "  tabuladores.\n"
         "  --csv  la tabla en CSV con punto decimal, el más antiguo primero, con el\n"
         "         encabezado posicion,intensidad,anchura,escala,R (R: s o n) y cada número\n"
         "         con las cifras justas para leerse igual: new --from lo rehace byte a byte\n"
         "         (una marca de separada distinta de 0 y 1, de otro programa, vuelve como 1).\n"
         "         Si alguna banda tiene forma propia, siguen las columnas forma (g, l, pv,\n"
         "         v, o doc para las que siguen al documento) y eta (la fracción\n"
         "         lorentziana).\n"),
     RunShow},
    {"convert", TRAZEL_TR_NOOP("CliHelp", "trazel-cli convert DOC OUT [--drop-analysis]"),
     TRAZEL_TR_NOOP(
         "CliHelp",
         "  Lee DOC (formato actual o antiguo) y lo escribe en OUT con el formato actual.\n"
         "  Un análisis guardado que no se puede leer (dañado o de una versión más\n"
         "  reciente) se escribe tal cual estaba.\n"
         "  --drop-analysis  escribe solo la tabla, sin el análisis guardado\n"),
     RunConvert},
    {"export",
     TRAZEL_TR_NOOP(
         "CliHelp",
         "trazel-cli export DOC --xmin A --xmax B [--resolution N] [--lorentzian] [--scaled]\n"
         "                  [--point] [-o OUT]"),
     TRAZEL_TR_NOOP(
         "CliHelp",
         "  Escribe en OUT la suma de las bandas de DOC entre A y B, byte a byte como la\n"
         "  exportación de la ventana: la línea «x y» y una línea «x suma» por paso, con\n"
         "  finales de línea CR LF. Con A igual a B el archivo lleva solo esa primera línea.\n"
         "  --xmin A, --xmax B  el intervalo de x\n"
         "  --resolution N      número de pasos de A a B, un entero mayor que 0 (250)\n"
         "  --lorentzian        bandas lorentzianas (si no, gaussianas)\n"
         "  --scaled            cada banda centrada en su máximo escalado\n"
         "  --point             punto decimal (si no, coma decimal)\n"
         "  -o OUT              el archivo de salida (datos.txt); se sustituye entero, y si\n"
         "                      algo falla queda como estaba\n"),
     RunExport},
    {"plot",
     TRAZEL_TR_NOOP(
         "CliHelp",
         "trazel-cli plot DOC --xmin A --xmax B --ymin C --ymax D [--lorentzian] [--scaled]\n"
         "                [--join] -o FILE"),
     TRAZEL_TR_NOOP(
         "CliHelp",
         "  Dibuja en FILE el gráfico de la ventana con la misma geometría en píxeles: el\n"
         "  recuadro con sus marcas, la suma en 250 muestras de A a B, las curvas de los\n"
         "  máximos marcados para verse por separado y los seis rótulos de los límites.\n"
         "  FILE es PNG si termina en .png y SVG si termina en .svg.\n"
         "  --xmin A, --xmax B  el intervalo de x (distintos)\n"
         "  --ymin C, --ymax D  la franja de valores que ocupa la altura del recuadro\n"
         "  --lorentzian        bandas lorentzianas (si no, gaussianas)\n"
         "  --scaled            cada banda centrada en su máximo escalado\n"
         "  --join              une las muestras con líneas (si no, puntos sueltos)\n"
         "  -o FILE             el archivo de salida; se sustituye entero\n"),
     RunPlot},
    {"print",
     TRAZEL_TR_NOOP("CliHelp",
                    "trazel-cli print DOC --xmin A --xmax B --ymin C --ymax D [--resolution N]\n"
                    "                 [--lorentzian] [--scaled] [--join] [--title T] -o FILE.pdf"),
     TRAZEL_TR_NOOP(
         "CliHelp",
         "  Escribe en FILE.pdf el informe impreso de la ventana, todas sus páginas, en A4:\n"
         "  el título, el gráfico con sus límites y marcas, la leyenda y la tabla de máximos\n"
         "  (una página hasta 29 máximos, dos hasta 79, tres a partir de 80). Si DOC guarda\n"
         "  un ajuste, una última página con su figura (ajuste y residuo) y su informe.\n"
         "  --xmin A, --xmax B  el intervalo de x (distintos)\n"
         "  --ymin C, --ymax D  la franja de valores que ocupa la altura del gráfico\n"
         "  --resolution N      muestras por curva, de 1 a 10000 (250)\n"
         "  --lorentzian        bandas lorentzianas (si no, gaussianas)\n"
         "  --scaled            cada banda centrada en su máximo escalado\n"
         "  --join              une las muestras con líneas (si no, puntos sueltos)\n"
         "  --title T           el título de cada página (el nombre de archivo de DOC)\n"
         "  -o FILE.pdf         el archivo de salida; se sustituye entero\n"),
     RunPrint},
    {"figure",
     TRAZEL_TR_NOOP(
         "CliHelp",
         "trazel-cli figure DOC [--xmin A --xmax B] [--ymin C --ymax D] [--lorentzian] [--scaled]\n"
         "                  [--measured FILE [--spectrum N|NOMBRE] [--yfactor F] [--y CAMBIO]\n"
         "                  [--x CAMBIO [--laser NM]] [--subtract-als LAMBDA,P]] [--width-cm W\n"
         "                  [--height-cm H]] [--width-in W [--height-in H]] [--size WxH]\n"
         "                  [--dpi D] [--fill] [--reversed|--increasing]\n"
         "                  [--region-number N] [--xtitle T] [--ytitle T]\n"
         "                  -o OUT.png|OUT.svg|OUT.pdf"),
     TRAZEL_TR_NOOP(
         "CliHelp",
         "  Dibuja en OUT el gráfico ampliado de la ventana, el mismo que su «Exportar\n"
         "  imagen...»: ejes con marcas y títulos, la suma en negro muestreada en cada\n"
         "  píxel y en el centro de cada banda, las bandas marcadas para verse por\n"
         "  separado en colores propios, la leyenda de lo que se ve y, si se da, un\n"
         "  espectro medido y el ajuste guardado. Se dibuja como en papel: textos y\n"
         "  líneas en puntos (1/72 de pulgada), con suavizado, del mismo tamaño a\n"
         "  cualquier resolución.\n"
         "  --xmin A, --xmax B  el intervalo de x (si se omiten, los de la vista que\n"
         "                      guarda el documento, o los del ajuste, o los del espectro)\n"
         "  --ymin C, --ymax D  los límites de y (si se omiten, los de la vista guardada\n"
         "                      o los de las curvas)\n"
         "  --lorentzian        bandas lorentzianas (si no, gaussianas)\n"
         "  --scaled            cada banda centrada en su máximo escalado\n"
         "  --measured FILE     un espectro medido: texto x-y (CSV, columnas), JCAMP-DX,\n"
         "                      SPC u OPUS\n"
         "  --spectrum N|NOMBRE  cuál de los espectros de FILE, si guarda varios, como en\n"
         "                      spectrum (el primero)\n"
         "  --yfactor F         multiplica las y del espectro medido, como el factor de y\n"
         "                      de la ventana (1)\n"
         "  --y, --x, --laser, --subtract-als  transforman el espectro medido antes de\n"
         "                      dibujarlo, como en spectrum\n"
         "  --width-cm W, --height-cm H  el tamaño en papel en centímetros (8,5 de\n"
         "                      ancho, una columna de revista; el alto, 3/4 del ancho)\n"
         "  --width-in W, --height-in H  el tamaño en pulgadas\n"
         "  --dpi D             puntos por pulgada del PNG, que los lleva escritos, de 10\n"
         "                      a 10000 (600)\n"
         "  --size WxH          el tamaño en píxeles, de 16 a 20000 por lado; sin --dpi, a\n"
         "                      la resolución que le da 8,5 cm de ancho (de 10 a 10000)\n"
         "  --fill              sombrea las bandas ajustadas hasta la línea base\n"
         "  --region-number N   solo la región de ajuste N de las que lista show (todas\n"
         "                      si se omite), sobre su intervalo si no se dan --xmin y\n"
         "                      --xmax\n"
         "  --reversed          el eje x decrece hacia la derecha\n"
         "  --increasing        el eje x crece hacia la derecha (si no se da ninguna, la\n"
         "                      dirección que guarda el documento o la de su espectro)\n"
         "  --xtitle T, --ytitle T  los títulos de los ejes (los de las unidades del\n"
         "                      espectro medido si las declara; si no, x e y)\n"
         "  -o OUT              PNG, SVG o PDF según la terminación; se sustituye entero\n"),
     RunFigure},
    {"fit",
     TRAZEL_TR_NOOP(
         "CliHelp",
         "trazel-cli fit DOC [--measured FILE [--spectrum N|NOMBRE]] [--y CAMBIO]\n"
         "               [--x CAMBIO [--laser NM]]\n"
         "               [--xmin A --xmax B] [--lorentzian] [--scaled]\n"
         "               [--shape gauss|lorentz|pseudo-voigt|voigt]\n"
         "               [--bands 1,3,5] [--hold width|position|intensity|share]...\n"
         "               [--subtract-als LAMBDA,P] [--baseline "
         "none|constant|linear|quadratic|cubic]\n"
         "               [--allow-negative] [--strict] [--yfactor F] [--max-iterations N]\n"
         "               [--add-bands N] [--region A:B|all [OPCIONES DE LA REGIÓN]]...\n"
         "               [--report FILE.txt|FILE.csv] [--curves FILE.csv [--step S]] -o OUT"),
     TRAZEL_TR_NOOP(
         "CliHelp",
         "  Ajusta por mínimos cuadrados las bandas de DOC al espectro medido FILE y\n"
         "  escribe en OUT el documento ajustado (entero o nada). Muestra la tabla del\n"
         "  resultado: un encabezado, una línea por banda, la más reciente primero\n"
         "  (posición, intensidad, anchura y área, cada una con su error típico, «fija» o\n"
         "  «en el límite»), la línea base c0 + c1 (x - xc) + ... alrededor del centro xc\n"
         "  del intervalo, la estadística del ajuste y el veredicto, separadas por\n"
         "  tabuladores. El veredicto, R², el chi² reducido y la cifra de estructura del\n"
         "  residuo van también a la salida de errores. Las intensidades no bajan de 0,\n"
         "  las anchuras quedan entre medio paso entre puntos y el intervalo, y las\n"
         "  posiciones dentro del intervalo.\n"
         "  --measured FILE   el espectro medido (x-y de texto, JCAMP-DX, SPC u OPUS); sin\n"
         "                    él, el que guarda DOC, con su transformación\n"
         "  --spectrum N|NOMBRE  cuál de los espectros de FILE, si guarda varios, como en\n"
         "                    spectrum (el primero)\n"
         "  --y, --x, --laser transforman el espectro medido antes del ajuste, como en\n"
         "                    spectrum, en lugar de la transformación guardada; --xmin\n"
         "                    y --xmax van en las unidades resultantes\n"
         "  --xmin A, --xmax B  los puntos que cuentan (todos si se omiten), en\n"
         "                    cualquier orden\n"
         "  --lorentzian      bandas lorentzianas (si no, gaussianas), las que siguen la\n"
         "                    forma del documento\n"
         "  --shape FORMA     da esa forma a todas las bandas que varían, y el documento\n"
         "                    ajustado la guarda; pseudo-voigt y voigt ajustan además su\n"
         "                    fracción lorentziana entre 0 y 1 (sin la opción, cada banda\n"
         "                    conserva la suya)\n"
         "  --scaled          cada banda centrada en posición por escala; varía la posición\n"
         "  --bands 1,3,5     las bandas que varían, numeradas como las lista show (todas)\n"
         "  --hold VALOR      deja fijo ese valor (position, intensity, width o share, la\n"
         "                    fracción lorentziana) de las bandas que varían; se puede\n"
         "                    repetir\n"
         "  --subtract-als LAMBDA,P  resta una línea base por mínimos cuadrados\n"
         "                    asimétricos, el último paso de la transformación\n"
         "  --baseline B      línea base ajustada a la vez: none, constant, linear,\n"
         "                    quadratic o cubic (none)\n"
         "  --allow-negative  deja que las intensidades bajen de 0\n"
         "  --strict          un valor en el límite o un residuo que no es ruido (falta\n"
         "                    una banda, la forma de línea no conviene o lo supera sin\n"
         "                    forma de banda) salen con 3 sin escribir nada\n"
         "  --yfactor F       multiplica la y medida por F (1, o el guardado)\n"
         "  --max-iterations N  iteraciones como mucho antes de darlo por perdido (500)\n"
         "  --add-bands N     hasta N bandas añadidas, una a una, en el mayor rasgo del\n"
         "                    residuo, ajustando de nuevo tras cada una; para cuando el\n"
         "                    residuo es ruido o una banda ya no baja el BIC (0)\n"
         "  --region A:B      ajusta la región de x de A a B, cada banda en la región que\n"
         "                    contiene su centro; las opciones --bands, --baseline,\n"
         "                    --hold, --shape, --allow-negative, --max-iterations y\n"
         "                    --add-bands que la siguen son solo suyas, y las dadas\n"
         "                    antes de la primera --region, de todas. Se puede repetir;\n"
         "                    las regiones se ajustan por orden y no se solapan. Una\n"
         "                    región guardada que el intervalo solapa se ajusta de nuevo\n"
         "                    con sus opciones; las demás se conservan. Con all, cada\n"
         "                    región guardada de nuevo. Sin --region, el intervalo de\n"
         "                    --xmin y --xmax es una región. Con varias, cada tabla sale\n"
         "                    tras una línea «# x de A a B»\n"
         "  --report FILE     el informe del ajuste: .txt para leer (documento, espectro,\n"
         "                    intervalo, forma, línea base, veredicto, estadística y una\n"
         "                    fila por banda con cada valor redondeado por su error y el %\n"
         "                    del área total, la fecha y la versión) o .csv con los mismos\n"
         "                    números sin redondear, columnas con nombre fijo y, tras una\n"
         "                    línea en blanco, la tabla magnitud,valor de la estadística;\n"
         "                    con varias regiones, todas: el .txt con los datos de cada\n"
         "                    una y el % del área de su región y del total, el .csv con\n"
         "                    la región al principio de cada fila\n"
         "  --curves FILE.csv las curvas del ajuste: x, medido (tal como se ajustó), línea\n"
         "                    base, ajuste, cada banda y residuo en cada punto medido del\n"
         "                    intervalo; ajuste = línea base + bandas en cada fila; con\n"
         "                    varias regiones, una tabla por región, separadas por una\n"
         "                    línea en blanco\n"
         "  --step S          las curvas en una malla de paso S desde el inicio del\n"
         "                    intervalo, sin medido ni residuo\n"
         "  -o OUT            el documento ajustado; puede ser DOC mismo. Con «-» el\n"
         "                    documento va a la salida estándar y la tabla a la de errores.\n"
         "  El informe y las curvas se escriben enteros o nada, nunca sobre una entrada.\n"
         "  Un ajuste de más de unos segundos muestra su avance en la salida de errores\n"
         "  cuando es un terminal.\n"
         "  Sale con 3, sin escribir nada, si el ajuste no converge, el problema es\n"
         "  singular (una banda sin puntos debajo, dos bandas iguales, pocos puntos), una\n"
         "  suma, un valor o un error no es un número finito, o el resultado no significa\n"
         "  nada (datos sin variación, una banda sin señal, un error mayor que el\n"
         "  intervalo de x).\n"),
     RunFit},
    {"compare",
     TRAZEL_TR_NOOP(
         "CliHelp",
         "trazel-cli compare DOC [--measured FILE [--spectrum N|NOMBRE]] [--y CAMBIO]\n"
         "                   [--x CAMBIO [--laser NM]] [--subtract-als LAMBDA,P] [--yfactor F]\n"
         "                   [--xmin A --xmax B] [--shift] [--fixed-width] [--fixed-share]\n"
         "                   [--baseline none|constant|linear|quadratic|cubic] [--lorentzian]\n"
         "                   [--report FILE.txt|FILE.csv] [--assignments FILE.csv] [-o OUT.trz]"),
     TRAZEL_TR_NOOP(
         "CliHelp",
         "  Compara las bandas de DOC, tomadas como calculadas (posiciones e intensidades\n"
         "  de un cálculo), con el espectro medido: busca el factor de escala a entre 0,85\n"
         "  y 1,10 y ajusta por mínimos cuadrados solo a, el desplazamiento b, una anchura\n"
         "  w común, un factor de intensidad k común (las intensidades relativas son las\n"
         "  del cálculo), la fracción lorentziana común de las bandas mixtas y la línea\n"
         "  base. Asigna cada banda calculada a una banda medida (la búsqueda de bandas en\n"
         "  el mismo intervalo) por el emparejamiento uno a uno que minimiza la suma de\n"
         "  los cuadrados de las diferencias de posición, dentro de dos anchuras.\n"
         "  Muestra, separadas por tabuladores, la tabla magnitud, valor y error (a, b, w,\n"
         "  k, la fracción, la línea base, R², r de Pearson, el coseno de los espectros y\n"
         "  el acuerdo) y, tras una línea en blanco, la asignación: una fila por banda\n"
         "  calculada (número, posición, escalada, intensidad, medida, intensidad medida,\n"
         "  desviación en x y en %, y la escala que la lleva a su banda medida) y una por\n"
         "  banda medida sin pareja. El veredicto va a la salida de errores.\n"
         "  --measured FILE   el espectro medido (x-y de texto, JCAMP-DX, SPC u OPUS); sin\n"
         "                    él, el que guarda DOC, con su transformación\n"
         "  --spectrum N|NOMBRE  cuál de los espectros de FILE, si guarda varios\n"
         "  --y, --x, --laser, --subtract-als  transforman el espectro medido, como en\n"
         "                    spectrum, en lugar de la transformación guardada\n"
         "  --yfactor F       multiplica la y medida por F (1, o el guardado)\n"
         "  --xmin A, --xmax B  el intervalo comparado (todo el espectro si se omiten)\n"
         "  --shift           ajusta también un desplazamiento b: posiciones a·ν + b\n"
         "  --fixed-width     deja la anchura en la mediana de las bandas medidas\n"
         "  --fixed-share     deja la fracción lorentziana de las bandas mixtas\n"
         "  --baseline B      línea base ajustada a la vez: none, constant, linear,\n"
         "                    quadratic o cubic (none)\n"
         "  --lorentzian      bandas lorentzianas las que siguen la forma del documento\n"
         "  --report FILE     el informe: .txt para leer o .csv con los números sin\n"
         "                    redondear\n"
         "  --assignments FILE.csv  la tabla de asignación en CSV\n"
         "  -o OUT.trz        el documento con la comparación aplicada (la escala en cada\n"
         "                    banda, o sin escala las posiciones a·ν + b con --shift; la\n"
         "                    anchura y las intensidades) y guardada; puede ser DOC mismo\n"
         "  Los archivos se escriben enteros o nada, nunca sobre una entrada.\n"
         "  Sale con 3, sin escribir nada, si no se llega a una comparación (sin bandas,\n"
         "  pocos puntos, datos sin variación, ninguna banda en el intervalo o un ajuste\n"
         "  que no converge).\n"),
     RunCompare},
    {"spectrum",
     TRAZEL_TR_NOOP(
         "CliHelp",
         "trazel-cli spectrum IN [--list] [--spectrum N|NOMBRE] [--y CAMBIO] [--x CAMBIO\n"
         "                    [--laser NM]] [--subtract-als LAMBDA,P] [--xmin A] [--xmax B]\n"
         "                    [--comma] -o OUT.txt|OUT.csv|OUT.jdx"),
     TRAZEL_TR_NOOP(
         "CliHelp",
         "  Lee el espectro medido IN (texto x-y, CSV, JCAMP-DX, SPC u OPUS, como la\n"
         "  ventana), lo transforma y lo escribe en OUT según su terminación: .txt con los\n"
         "  números de la exportación («x y» y una línea por punto), .csv con un encabezado\n"
         "  que nombra las columnas y sus unidades, o .jdx (o .dx) en JCAMP-DX 5.01\n"
         "  (##XYDATA si los puntos están igualmente espaciados, ##XYPOINTS si no), que se\n"
         "  vuelve a leer con los mismos puntos.\n"
         "  Primero se cambia x, luego y; los puntos donde el cambio no está definido\n"
         "  (x <= 0, transmitancia <= 0) se dejan fuera y se dice cuántos.\n"
         "  --list       no escribe nada: lista los espectros de IN, los mismos bytes en\n"
         "               cualquier idioma: una línea «#» y, separados por tabuladores, el\n"
         "               número, el nombre, la clase (XYDATA o XYPOINTS de JCAMP-DX,\n"
         "               subfile de SPC, el bloque de OPUS, column de texto), los puntos,\n"
         "               la primera y la última x y las unidades de x e y («-» si no hay)\n"
         "  --spectrum N|NOMBRE  el espectro de IN si guarda varios (bloques de\n"
         "               JCAMP-DX, subarchivos de SPC, bloques de OPUS, columnas y de un\n"
         "               texto), por su número desde 1 o por su nombre en --list; sin\n"
         "               él, el primero, y la salida de errores dice cuántos hay\n"
         "  --y CAMBIO   transmittance-to-absorbance (A = -log10 T),\n"
         "               percent-transmittance-to-absorbance (A = 2 - log10 %T),\n"
         "               absorbance-to-transmittance, absorbance-to-percent-transmittance,\n"
         "               negate (cambio de signo) o none (ninguno: calla el aviso de peaks,\n"
         "               fit y figure cuando los datos declaran transmitancia)\n"
         "  --x CAMBIO   nanometre-to-wavenumber (cm-1 = 1e7 / nm), wavenumber-to-nanometre,\n"
         "               micrometre-to-wavenumber (cm-1 = 1e4 / um) o raman-shift\n"
         "               (1e7 / laser - 1e7 / nm); tras el cambio x queda creciente\n"
         "  --laser NM   la longitud de onda del láser en nm, para raman-shift\n"
         "  --subtract-als LAMBDA,P  por último resta la línea base por mínimos\n"
         "               cuadrados asimétricos (λ, p; por ejemplo 1e5,0.01): la curva que\n"
         "               sigue los puntos entre las bandas\n"
         "  --xmin A, --xmax B  solo los puntos entre A y B (en cualquier orden), en las\n"
         "               unidades resultantes\n"
         "  --comma      coma decimal en .txt, y en .csv con «;» entre columnas\n"
         "  -o OUT       el archivo de salida; se sustituye entero, y si algo falla queda\n"
         "               como estaba\n"),
     RunSpectrum},
    {"peaks",
     TRAZEL_TR_NOOP(
         "CliHelp",
         "trazel-cli peaks MEASURED [--xmin A --xmax B] [--min-prominence P] [--distance D]\n"
         "                 [--smooth N] [--order K] [--shoulders] [--max N] [--yfactor F]\n"
         "                 [--spectrum N|NOMBRE] [--y CAMBIO] [--x CAMBIO [--laser NM]]\n"
         "                 [-o OUT.trz]"),
     TRAZEL_TR_NOOP(
         "CliHelp",
         "  Busca las bandas del espectro medido MEASURED (texto x-y, JCAMP-DX, SPC u\n"
         "  OPUS) y las muestra, la más intensa primero: posición, intensidad, anchura a\n"
         "  media altura, prominencia y clase (máximo u hombro), separadas por tabuladores.\n"
         "  En la salida de errores dice las opciones usadas, también las calculadas a\n"
         "  partir de los datos.\n"
         "  La posición se afina entre muestras; la intensidad es la altura sobre la base\n"
         "  de la que se mide la prominencia.\n"
         "  --xmin A, --xmax B   solo los puntos entre A y B, en cualquier orden (todos si\n"
         "                       se omiten)\n"
         "  --min-prominence P   la prominencia mínima de un máximo, en % del intervalo\n"
         "                       de los datos suavizados entre A y B (5)\n"
         "  --distance D         la separación mínima en x entre dos bandas; de dos más\n"
         "                       cercanas queda la más intensa (media ventana de suavizado)\n"
         "  --smooth N           la ventana del suavizado de Savitzky-Golay, un número\n"
         "                       impar de puntos de 3 a 1001 (según la anchura de las bandas)\n"
         "  --order K            el orden de su polinomio, de 0 a 6 y menor que N (2)\n"
         "  --shoulders          incluye los hombros: bandas que no dan un máximo propio,\n"
         "                       halladas en los mínimos de la segunda derivada suavizada\n"
         "  --max N              como mucho N bandas, las más intensas, de 1 a 99 (99)\n"
         "  --yfactor F          multiplica la y medida por F (1)\n"
         "  --spectrum N|NOMBRE  cuál de los espectros de MEASURED, si guarda varios, como\n"
         "                       en spectrum (el primero)\n"
         "  --y, --x, --laser    transforman el espectro antes de la búsqueda, como en\n"
         "                       spectrum; --xmin, --xmax y --distance van en las unidades\n"
         "                       resultantes\n"
         "  -o OUT.trz           un documento con el espectro medido y las bandas, listo\n"
         "                       para fit; se sustituye entero, y si algo falla queda como\n"
         "                       estaba\n"
         "  Sale con 3, sin escribir nada, si no encuentra ninguna banda.\n"),
     RunPeaks},
};

const Command* FindCommand(const std::string& name) {
    const auto it = std::find_if(std::begin(kCommands), std::end(kCommands),
                                 [&](const Command& c) { return name == c.name; });
    return it == std::end(kCommands) ? nullptr : &*it;
}

std::string UsageLine() {
    return TRAZEL_TR("Cli",
                     "uso: trazel-cli ORDEN [ARGUMENTOS]   (trazel-cli --help para la ayuda)\n");
}

void PrintHelp(std::ostream& out) {
    out << TRAZEL_TR(
        "Cli",
        "trazel-cli: sumas de bandas gaussianas o lorentzianas sin abrir la ventana.\n\n"
        "Uso:\n");
    for (const Command& command : kCommands) {
        out << "\n"
            << Translate("CliHelp", command.usage) << "\n"
            << Translate("CliHelp", command.help);
    }
    out << TRAZEL_TR(
        "Cli",
        "\nLos números se escriben con punto decimal (1.5, -2e-3), y el valor de una opción\n"
        "puede ir detrás de un «=» (--xmin=-5). plot y print no necesitan pantalla.\n"
        "--lang es|en elige el idioma de los mensajes y de esta ayuda; sin ella, el\n"
        "del entorno (LANGUAGE, LC_ALL, LC_MESSAGES, LANG): inglés si es en, si no\n"
        "español. Las tablas y los archivos son los mismos en cualquier idioma.\n"
        "Estado de salida: 0 si todo fue bien, 1 si un archivo no se pudo leer o escribir\n"
        "(el mensaje lo nombra), 2 si la orden está mal escrita, 3 si fit no llegó a un\n"
        "ajuste (no converge, el problema es singular o el resultado no es válido) o\n"
        "peaks no encontró ninguna banda.\n"
        "Ninguna orden escribe sobre uno de sus archivos de entrada, con otro nombre o por\n"
        "un enlace (es un error de uso); convert y fit sí pueden sustituir su documento.\n"
        "trazel-cli --version escribe la versión.\n");
}

// What went to standard output must have reached it: a full disk or a closed
// file is a failure to report, not a success. (A reader that has gone ends
// the program through SIGPIPE before this.)
int CheckedOutput(std::ostream& out, std::ostream& err) {
    // A text longer than the stream's buffer fails while it is written, and
    // the reason is the errno of that write, not of the flush below.
    const int earlier = !out ? errno : 0;
    errno = 0;
    out.flush();
    if (out) {
        return kExitOk;
    }
    const int error = earlier != 0 ? earlier : errno != 0 ? errno : EIO;
    err << Fill(TRAZEL_TR("Cli", "trazel-cli: no se pudo escribir en la salida estándar: %1.\n"),
                {DescribeErrno(error)});
    return kExitFileError;
}

}  // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty()) {
        err << UsageLine();
        return kExitUsage;
    }
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        PrintHelp(out);
        return CheckedOutput(out, err);
    }
    if (args[0] == "--version") {
        out << "trazel-cli " << kTrazelVersion << "\n";
        return CheckedOutput(out, err);
    }
    const Command* command = FindCommand(args[0]);
    if (command == nullptr) {
        err << Fill(TRAZEL_TR("Cli", "trazel-cli: orden desconocida: %1\n"), {args[0]})
            << UsageLine();
        return kExitUsage;
    }
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    // After "--" a "--help" is a file name.
    const auto optionsEnd = std::find(rest.begin(), rest.end(), "--");
    if (std::find(rest.begin(), optionsEnd, "--help") != optionsEnd) {
        out << Fill(TRAZEL_TR("Cli", "uso: %1\n"), {Translate("CliHelp", command->usage)})
            << Translate("CliHelp", command->help);
        return CheckedOutput(out, err);
    }
    try {
        const int status = command->run(rest, out, err);
        return status == kExitOk ? CheckedOutput(out, err) : status;
    } catch (const UsageError& e) {
        err << "trazel-cli " << command->name << ": " << e.what() << "\n"
            << Fill(TRAZEL_TR("Cli", "uso: %1\n"), {Translate("CliHelp", command->usage)});
        return kExitUsage;
    } catch (const FileError& e) {
        err << "trazel-cli " << command->name << ": " << e.what() << "\n";
        return kExitFileError;
    } catch (const NoResultError& e) {
        err << "trazel-cli " << command->name << ": " << e.what() << "\n";
        return kExitFitFailed;
    } catch (const std::bad_alloc&) {
        // The unwinding has given back what the work held, so the translation
        // most likely has room; if not, the message goes out untranslated.
        try {
            err << Translate("Cli", kOutOfMemoryMessage);
        } catch (const std::bad_alloc&) {
            err << kOutOfMemoryMessage;
        }
        return kExitFileError;
    }
}

}  // namespace trazel::cli
