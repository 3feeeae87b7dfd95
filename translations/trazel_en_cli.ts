<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="es">
<context>
    <name>BandFit</name>
    <message>
        <source>La suma de cuadrados de los valores de y medidos, por el factor de y (%1), no es un número finito: son demasiado grandes. Redúzcalos con el factor de y.</source>
        <translation>The sum of squares of the measured y values, times the y factor (%1), is not a finite number: they are too large. Reduce them with the y factor.</translation>
    </message>
    <message>
        <source>La suma de cuadrados de los valores de y medidos no es un número finito: son demasiado grandes. Redúzcalos con el factor de y.</source>
        <translation>The sum of squares of the measured y values is not a finite number: they are too large. Reduce them with the y factor.</translation>
    </message>
</context>
<context>
    <name>BandsCommand</name>
    <message>
        <source>no es una salida de Gaussian, ORCA, Q-Chem, NWChem, GAMESS ni Molden</source>
        <translation>is not an output of Gaussian, ORCA, Q-Chem, NWChem, GAMESS or Molden</translation>
    </message>
</context>
<context>
    <name>Cli</name>
    <message>
        <source>uso: trazel-cli ORDEN [ARGUMENTOS]   (trazel-cli --help para la ayuda)
</source>
        <translation>usage: trazel-cli COMMAND [ARGUMENTS]   (trazel-cli --help for help)
</translation>
    </message>
    <message>
        <source>trazel-cli: sumas de bandas gaussianas o lorentzianas sin abrir la ventana.

Uso:
</source>
        <translation>trazel-cli: sums of Gaussian or Lorentzian bands without opening the window.

Usage:
</translation>
    </message>
    <message>
        <source>trazel-cli: no se pudo escribir en la salida estándar: %1.
</source>
        <translation>trazel-cli: could not write to standard output: %1.
</translation>
    </message>
    <message>
        <source>trazel-cli: orden desconocida: %1
</source>
        <translation>trazel-cli: unknown command: %1
</translation>
    </message>
    <message>
        <source>uso: %1
</source>
        <translation>usage: %1
</translation>
    </message>
    <message>
        <source>trazel-cli: no queda memoria suficiente para terminar; no se ha escrito nada.
</source>
        <translation>trazel-cli: not enough memory left to finish; nothing has been written.
</translation>
    </message>
    <message>
        <source>trazel-cli: error inesperado; no se ha escrito nada.
</source>
        <translation>trazel-cli: unexpected error; nothing has been written.
</translation>
    </message>
    <message>
        <source>%1: «%2» no es un número</source>
        <translation>%1: “%2” is not a number</translation>
    </message>
    <message>
        <source>%1: «%2» no es un número entero</source>
        <translation>%1: “%2” is not a whole number</translation>
    </message>
    <message>
        <source>falta el valor de %1</source>
        <translation>%1 needs a value</translation>
    </message>
    <message>
        <source>%1 aparece más de una vez</source>
        <translation>%1 is given more than once</translation>
    </message>
    <message>
        <source>%1 no lleva valor</source>
        <translation>%1 takes no value</translation>
    </message>
    <message>
        <source>opción desconocida: %1</source>
        <translation>unknown option: %1</translation>
    </message>
    <message>
        <source>falta %1</source>
        <translation>%1 is missing</translation>
    </message>
    <message>
        <source>sobra el argumento «%1»</source>
        <translation>one argument too many: “%1”</translation>
    </message>
    <message>
        <source>el archivo de salida</source>
        <translation>the output file</translation>
    </message>
    <message>
        <source>falta el archivo de salida</source>
        <translation>the output file is missing</translation>
    </message>
    <message>
        <source>el documento</source>
        <translation>the document</translation>
    </message>
    <message>
        <source>el documento de entrada o el de salida</source>
        <translation>the input or the output document</translation>
    </message>
    <message>
        <source>--yfactor debe ser distinto de 0</source>
        <translation>--yfactor must not be 0</translation>
    </message>
    <message>
        <source>falta -o con el archivo de salida</source>
        <translation>give the output file with -o</translation>
    </message>
    <message>
        <source>esta compilación de trazel-cli no incluye Qt: no puede dibujar ni imprimir.</source>
        <translation>this build of trazel-cli does not include Qt: it cannot draw or print.</translation>
    </message>
    <message>
        <source>el espectro medido</source>
        <translation>the measured spectrum</translation>
    </message>
    <message>
        <source>
Los números se escriben con punto decimal (1.5, -2e-3), y el valor de una opción
puede ir detrás de un «=» (--xmin=-5). plot y print no necesitan pantalla.
--lang es|en elige el idioma de los mensajes y de esta ayuda; sin ella, el
del entorno (LANGUAGE, LC_ALL, LC_MESSAGES, LANG): inglés si es en, si no
español. Las tablas y los archivos son los mismos en cualquier idioma.
Estado de salida: 0 si todo fue bien, 1 si un archivo no se pudo leer o escribir
(el mensaje lo nombra), 2 si la orden está mal escrita, 3 si fit no llegó a un
ajuste (no converge, el problema es singular o el resultado no es válido) o
peaks no encontró ninguna banda.
Ninguna orden escribe sobre uno de sus archivos de entrada, con otro nombre o por
un enlace (es un error de uso); convert y fit sí pueden sustituir su documento.
trazel-cli --version escribe la versión.
</source>
        <translation>
Numbers are written with a decimal point (1.5, -2e-3), and an option&apos;s value may
follow an &quot;=&quot; (--xmin=-5). plot and print need no display.
--lang es|en chooses the language of the messages and of this help; without it,
the environment&apos;s (LANGUAGE, LC_ALL, LC_MESSAGES, LANG): English for en,
otherwise Spanish. Tables and files are the same in every language.
Exit status: 0 if all went well, 1 if a file could not be read or written (the
message names it), 2 if the command is mistyped, 3 if fit reached no fit (it does
not converge, the problem is singular or the result is not valid) or peaks found
no band.
No command writes over one of its input files, under another name or through a
link (that is a usage error); convert and fit may replace their own document.
trazel-cli --version prints the version.
</translation>
    </message>
    <message>
        <source>no se pudo poner en marcha «%1», el programa que dibuja: %2. Puede que trazel esté mal instalado.</source>
        <translation>could not start “%1”, the program that draws: %2. Trazel may not be installed properly.</translation>
    </message>
    <message>
        <source>trazel-cli: --lang admite «es» o «en»
Pruebe «trazel-cli --help».
</source>
        <translation>trazel-cli: --lang takes “es” or “en”
Try “trazel-cli --help”.
</translation>
    </message>
    <message>
        <source>--xmin y --xmax deben ser distintos</source>
        <translation>--xmin and --xmax must differ</translation>
    </message>
    <message>
        <source>no se ha escrito %1: el análisis guardado en el documento no se pudo leer y se perdería. Para quitarlo del documento: trazel-cli convert DOC DOC --drop-analysis</source>
        <translation>%1 has not been written: the analysis stored in the document could not be read and would be lost. To take it out of the document: trazel-cli convert DOC DOC --drop-analysis</translation>
    </message>
    <message>
        <source>el archivo</source>
        <translation>the file</translation>
    </message>
    <message>
        <source>--baseline espera none, constant, linear, quadratic o cubic, no «%1»</source>
        <translation>--baseline expects none, constant, linear, quadratic or cubic, not “%1”</translation>
    </message>
</context>
<context>
    <name>CliHelp</name>
    <message>
        <source>trazel-cli show DOC [--csv]</source>
        <translation>trazel-cli show DOC [--csv]</translation>
    </message>
    <message>
        <source>trazel-cli export DOC --xmin A --xmax B [--resolution N] [--lorentzian] [--scaled]
                  [--point] [-o OUT]</source>
        <translation>trazel-cli export DOC --xmin A --xmax B [--resolution N] [--lorentzian] [--scaled]
                  [--point] [-o OUT]</translation>
    </message>
    <message>
        <source>  Escribe en OUT la suma de las bandas de DOC entre A y B, byte a byte como la
  exportación de la ventana: la línea «x y» y una línea «x suma» por paso, con
  finales de línea CR LF. Con A igual a B el archivo lleva solo esa primera línea.
  --xmin A, --xmax B  el intervalo de x
  --resolution N      número de pasos de A a B, un entero mayor que 0 (250)
  --lorentzian        bandas lorentzianas (si no, gaussianas)
  --scaled            cada banda centrada en su máximo escalado
  --point             punto decimal (si no, coma decimal)
  -o OUT              el archivo de salida (datos.txt); se sustituye entero, y si
                      algo falla queda como estaba
</source>
        <translation>  Writes to OUT the sum of the bands of DOC from A to B, byte for byte as the
  window&apos;s export: the line &quot;x y&quot; and one line &quot;x sum&quot; per step, with CR LF line
  endings. With A equal to B the file holds only that first line.
  --xmin A, --xmax B  the x range
  --resolution N      number of steps from A to B, a whole number above 0 (250)
  --lorentzian        Lorentzian bands (otherwise Gaussian)
  --scaled            each band centred on its scaled peak
  --point             decimal point (otherwise decimal comma)
  -o OUT              the output file (datos.txt); replaced whole, and left as
                      it was if anything fails
</translation>
    </message>
    <message>
        <source>trazel-cli plot DOC --xmin A --xmax B --ymin C --ymax D [--lorentzian] [--scaled]
                [--join] -o FILE</source>
        <translation>trazel-cli plot DOC --xmin A --xmax B --ymin C --ymax D [--lorentzian] [--scaled]
                [--join] -o FILE</translation>
    </message>
    <message>
        <source>  Dibuja en FILE el gráfico de la ventana con la misma geometría en píxeles: el
  recuadro con sus marcas, la suma en 250 muestras de A a B, las curvas de los
  máximos marcados para verse por separado y los seis rótulos de los límites.
  FILE es PNG si termina en .png y SVG si termina en .svg.
  --xmin A, --xmax B  el intervalo de x (distintos)
  --ymin C, --ymax D  la franja de valores que ocupa la altura del recuadro
  --lorentzian        bandas lorentzianas (si no, gaussianas)
  --scaled            cada banda centrada en su máximo escalado
  --join              une las muestras con líneas (si no, puntos sueltos)
  -o FILE             el archivo de salida; se sustituye entero
</source>
        <translation>  Draws to FILE the window&apos;s graph with the same geometry in pixels: the frame
  with its ticks, the sum in 250 samples from A to B, the curves of the peaks
  marked to be shown on their own and the six labels of the limits.
  FILE is PNG if it ends in .png and SVG if it ends in .svg.
  --xmin A, --xmax B  the x range (different)
  --ymin C, --ymax D  the band of values that the frame&apos;s height spans
  --lorentzian        Lorentzian bands (otherwise Gaussian)
  --scaled            each band centred on its scaled peak
  --join              joins the samples with lines (otherwise single points)
  -o FILE             the output file; replaced whole
</translation>
    </message>
    <message>
        <source>trazel-cli print DOC --xmin A --xmax B --ymin C --ymax D [--resolution N]
                 [--lorentzian] [--scaled] [--join] [--title T] -o FILE.pdf</source>
        <translation>trazel-cli print DOC --xmin A --xmax B --ymin C --ymax D [--resolution N]
                 [--lorentzian] [--scaled] [--join] [--title T] -o FILE.pdf</translation>
    </message>
    <message>
        <source>  Escribe en FILE.pdf el informe impreso de la ventana, todas sus páginas, en A4:
  el título, el gráfico con sus límites y marcas, la leyenda y la tabla de máximos
  (una página hasta 29 máximos, dos hasta 79, tres a partir de 80). Si DOC guarda
  un ajuste, una última página con su figura (ajuste y residuo) y su informe.
  --xmin A, --xmax B  el intervalo de x (distintos)
  --ymin C, --ymax D  la franja de valores que ocupa la altura del gráfico
  --resolution N      muestras por curva, de 1 a 10000 (250)
  --lorentzian        bandas lorentzianas (si no, gaussianas)
  --scaled            cada banda centrada en su máximo escalado
  --join              une las muestras con líneas (si no, puntos sueltos)
  --title T           el título de cada página (el nombre de archivo de DOC)
  -o FILE.pdf         el archivo de salida; se sustituye entero
</source>
        <translation>  Writes to FILE.pdf the window&apos;s printed report, all its pages, on A4: the
  title, the graph with its limits and ticks, the legend and the peak table (one
  page up to 29 peaks, two up to 79, three from 80). If DOC stores a fit, a last
  page with its figure (fit and residual) and its report.
  --xmin A, --xmax B  the x range (different)
  --ymin C, --ymax D  the band of values that the graph&apos;s height spans
  --resolution N      samples per curve, from 1 to 10000 (250)
  --lorentzian        Lorentzian bands (otherwise Gaussian)
  --scaled            each band centred on its scaled peak
  --join              joins the samples with lines (otherwise single points)
  --title T           the title of each page (the file name of DOC)
  -o FILE.pdf         the output file; replaced whole
</translation>
    </message>
    <message>
        <source>trazel-cli convert DOC OUT [--drop-analysis]</source>
        <translation>trazel-cli convert DOC OUT [--drop-analysis]</translation>
    </message>
    <message>
        <source>  Lee DOC (formato actual o antiguo) y lo escribe en OUT con el formato actual.
  Un análisis guardado que no se puede leer (dañado o de una versión más
  reciente) se escribe tal cual estaba.
  --drop-analysis  escribe solo la tabla, sin el análisis guardado
</source>
        <translation>  Reads DOC (current or old format) and writes it to OUT in the current format.
  A stored analysis that cannot be read (damaged, or of a later version) is
  written as it was.
  --drop-analysis  writes the table alone, without the stored analysis
</translation>
    </message>
    <message>
        <source>trazel-cli bands FILE</source>
        <translation>trazel-cli bands FILE</translation>
    </message>
    <message>
        <source>  Muestra los modos del análisis de frecuencias de una salida de Gaussian, ORCA,
  Q-Chem, NWChem, GAMESS o Molden, los mismos bytes en cualquier idioma: el
  programa en una línea «#» y, separados por tabuladores, el número de onda en
  cm-1, la intensidad infrarroja en km/mol, la actividad Raman en A^4/amu («-»
  si el archivo no la da) y si el modo se deja fuera de las bandas (imaginary,
  zero) o no («-»).
</source>
        <translation>  Shows the modes of the frequency analysis of a Gaussian, ORCA, Q-Chem,
  NWChem, GAMESS or Molden output, the same bytes in every language: the
  program on a &quot;#&quot; line and, separated by tabs, the wavenumber in cm-1, the
  infrared intensity in km/mol, the Raman activity in A^4/amu (&quot;-&quot; where the
  file gives none) and whether the mode is left out of the bands (imaginary,
  zero) or not (&quot;-&quot;).
</translation>
    </message>
    <message>
        <source>trazel-cli spectrum IN [--list] [--spectrum N|NOMBRE] [--y CAMBIO] [--x CAMBIO
                    [--laser NM]] [--subtract-als LAMBDA,P] [--xmin A] [--xmax B]
                    [--comma] -o OUT.txt|OUT.csv|OUT.jdx</source>
        <translation>trazel-cli spectrum IN [--list] [--spectrum N|NAME] [--y CHANGE] [--x CHANGE
                    [--laser NM]] [--subtract-als LAMBDA,P] [--xmin A] [--xmax B]
                    [--comma] -o OUT.txt|OUT.csv|OUT.jdx</translation>
    </message>
    <message>
        <source>  Lee el espectro medido IN (texto x-y, CSV, JCAMP-DX, SPC u OPUS, como la
  ventana), lo transforma y lo escribe en OUT según su terminación: .txt con los
  números de la exportación («x y» y una línea por punto), .csv con un encabezado
  que nombra las columnas y sus unidades, o .jdx (o .dx) en JCAMP-DX 5.01
  (##XYDATA si los puntos están igualmente espaciados, ##XYPOINTS si no), que se
  vuelve a leer con los mismos puntos.
  Primero se cambia x, luego y; los puntos donde el cambio no está definido
  (x &lt;= 0, transmitancia &lt;= 0) se dejan fuera y se dice cuántos.
  --list       no escribe nada: lista los espectros de IN, los mismos bytes en
               cualquier idioma: una línea «#» y, separados por tabuladores, el
               número, el nombre, la clase (XYDATA o XYPOINTS de JCAMP-DX,
               subfile de SPC, el bloque de OPUS, column de texto), los puntos,
               la primera y la última x y las unidades de x e y («-» si no hay)
  --spectrum N|NOMBRE  el espectro de IN si guarda varios (bloques de
               JCAMP-DX, subarchivos de SPC, bloques de OPUS, columnas y de un
               texto), por su número desde 1 o por su nombre en --list; sin
               él, el primero, y la salida de errores dice cuántos hay
  --y CAMBIO   transmittance-to-absorbance (A = -log10 T),
               percent-transmittance-to-absorbance (A = 2 - log10 %T),
               absorbance-to-transmittance, absorbance-to-percent-transmittance,
               negate (cambio de signo) o none (ninguno: calla el aviso de peaks,
               fit y figure cuando los datos declaran transmitancia)
  --x CAMBIO   nanometre-to-wavenumber (cm-1 = 1e7 / nm), wavenumber-to-nanometre,
               micrometre-to-wavenumber (cm-1 = 1e4 / um) o raman-shift
               (1e7 / laser - 1e7 / nm); tras el cambio x queda creciente
  --laser NM   la longitud de onda del láser en nm, para raman-shift
  --subtract-als LAMBDA,P  por último resta la línea base por mínimos
               cuadrados asimétricos (λ, p; por ejemplo 1e5,0.01): la curva que
               sigue los puntos entre las bandas
  --xmin A, --xmax B  solo los puntos entre A y B (en cualquier orden), en las
               unidades resultantes
  --comma      coma decimal en .txt, y en .csv con «;» entre columnas
  -o OUT       el archivo de salida; se sustituye entero, y si algo falla queda
               como estaba
</source>
        <translation>  Reads the measured spectrum IN (x-y text, CSV, JCAMP-DX, SPC or OPUS, as
  the window does), transforms it and writes it to OUT by its ending: .txt
  with the export&apos;s numbers (&quot;x y&quot; and one line per point), .csv with a
  heading that names the columns and their units, or .jdx (or .dx) in JCAMP-DX 5.01
  (##XYDATA if the points are evenly spaced, ##XYPOINTS if not), which reads
  back with the same points.
  x is changed first, then y; the points where the change is not defined
  (x &lt;= 0, transmittance &lt;= 0) are left out and their number is reported.
  --list       writes nothing: lists the spectra of IN, the same bytes in every
               language: a &quot;#&quot; line and, separated by tabs, the number, the
               name, the kind (XYDATA or XYPOINTS of JCAMP-DX, subfile of SPC,
               the OPUS block, column of a text), the points, the first and
               last x and the units of x and y (&quot;-&quot; when there are none)
  --spectrum N|NAME  the spectrum of IN if it holds several (JCAMP-DX blocks,
               SPC subfiles, OPUS blocks, y columns of a text), by its number
               from 1 or by its name in --list; without it, the first, and
               standard error says how many there are
  --y CHANGE   transmittance-to-absorbance (A = -log10 T),
               percent-transmittance-to-absorbance (A = 2 - log10 %T),
               absorbance-to-transmittance, absorbance-to-percent-transmittance,
               negate (change of sign) or none (no change: silences the note of
               peaks, fit and figure when the data declare transmittance)
  --x CHANGE   nanometre-to-wavenumber (cm-1 = 1e7 / nm), wavenumber-to-nanometre,
               micrometre-to-wavenumber (cm-1 = 1e4 / um) or raman-shift
               (1e7 / laser - 1e7 / nm); after the change x rises
  --laser NM   the laser wavelength in nm, for raman-shift
  --subtract-als LAMBDA,P  lastly subtracts the asymmetric least squares
               baseline (λ, p; for example 1e5,0.01): the curve that follows
               the points between the bands
  --xmin A, --xmax B  only the points from A to B (in either order), in the
               resulting units
  --comma      decimal comma in .txt, and in .csv with &quot;;&quot; between columns
  -o OUT       the output file; replaced whole, and left as it was if
               anything fails
</translation>
    </message>
    <message>
        <source>trazel-cli peaks MEASURED [--xmin A --xmax B] [--min-prominence P] [--distance D]
                 [--smooth N] [--order K] [--shoulders] [--max N] [--yfactor F]
                 [--spectrum N|NOMBRE] [--y CAMBIO] [--x CAMBIO [--laser NM]]
                 [-o OUT.trz]</source>
        <translation>trazel-cli peaks MEASURED [--xmin A --xmax B] [--min-prominence P] [--distance D]
                 [--smooth N] [--order K] [--shoulders] [--max N] [--yfactor F]
                 [--spectrum N|NAME] [--y CHANGE] [--x CHANGE [--laser NM]]
                 [-o OUT.trz]</translation>
    </message>
    <message>
        <source>  Busca las bandas del espectro medido MEASURED (texto x-y, JCAMP-DX, SPC u
  OPUS) y las muestra, la más intensa primero: posición, intensidad, anchura a
  media altura, prominencia y clase (máximo u hombro), separadas por tabuladores.
  En la salida de errores dice las opciones usadas, también las calculadas a
  partir de los datos.
  La posición se afina entre muestras; la intensidad es la altura sobre la base
  de la que se mide la prominencia.
  --xmin A, --xmax B   solo los puntos entre A y B, en cualquier orden (todos si
                       se omiten)
  --min-prominence P   la prominencia mínima de un máximo, en % del intervalo
                       de los datos suavizados entre A y B (5)
  --distance D         la separación mínima en x entre dos bandas; de dos más
                       cercanas queda la más intensa (media ventana de suavizado)
  --smooth N           la ventana del suavizado de Savitzky-Golay, un número
                       impar de puntos de 3 a 1001 (según la anchura de las bandas)
  --order K            el orden de su polinomio, de 0 a 6 y menor que N (2)
  --shoulders          incluye los hombros: bandas que no dan un máximo propio,
                       halladas en los mínimos de la segunda derivada suavizada
  --max N              como mucho N bandas, las más intensas, de 1 a 99 (99)
  --yfactor F          multiplica la y medida por F (1)
  --spectrum N|NOMBRE  cuál de los espectros de MEASURED, si guarda varios, como
                       en spectrum (el primero)
  --y, --x, --laser    transforman el espectro antes de la búsqueda, como en
                       spectrum; --xmin, --xmax y --distance van en las unidades
                       resultantes
  -o OUT.trz           un documento con el espectro medido y las bandas, listo
                       para fit; se sustituye entero, y si algo falla queda como
                       estaba
  Sale con 3, sin escribir nada, si no encuentra ninguna banda.
</source>
        <translation>  Finds the bands of the measured spectrum MEASURED (x-y text, JCAMP-DX, SPC
  or OPUS) and lists them, strongest first: position, intensity, full width at
  half maximum, prominence and kind (máximo for a peak, hombro for a shoulder),
  separated by tabs. On standard error it states the options used, including
  those worked out from the data.
  The position is refined between samples; the intensity is the height above
  the base from which the prominence is measured.
  --xmin A, --xmax B   only the points from A to B, in either order (all if
                       left out)
  --min-prominence P   the minimum prominence of a peak, in % of the range of
                       the smoothed data from A to B (5)
  --distance D         the minimum separation in x between two bands; of two
                       closer ones the stronger stays (half the smoothing window)
  --smooth N           the Savitzky-Golay smoothing window, an odd number of
                       points from 3 to 1001 (by the width of the bands)
  --order K            the order of its polynomial, from 0 to 6 and below N (2)
  --shoulders          includes shoulders: bands that give no peak of their own,
                       found at the minima of the smoothed second derivative
  --max N              at most N bands, the strongest, from 1 to 99 (99)
  --yfactor F          multiplies the measured y by F (1)
  --spectrum N|NAME    which of the spectra of MEASURED, if it holds several, as
                       in spectrum (the first)
  --y, --x, --laser    transform the spectrum before the search, as in
                       spectrum; --xmin, --xmax and --distance are in the
                       resulting units
  -o OUT.trz           a document with the measured spectrum and the bands,
                       ready for fit; replaced whole, and left as it was if
                       anything fails
  Exits with 3, writing nothing, if it finds no band.
</translation>
    </message>
    <message>
        <source>trazel-cli new OUT [--peak POS,INT,ANCHURA[,ESCALA[,s]][,forma=F[:ETA]]]...
                [--from FILE [--width W] [--scale S] [--areas] [--lorentzian]
                [--kind ir|raman-activity|raman [--laser NM] [--temperature K]]
                [--strongest] [--range DESDE:HASTA]]</source>
        <translation>trazel-cli new OUT [--peak POS,INT,WIDTH[,SCALE[,s]][,forma=F[:ETA]]]...
                [--from FILE [--width W] [--scale S] [--areas] [--lorentzian]
                [--kind ir|raman-activity|raman [--laser NM] [--temperature K]]
                [--strongest] [--range FROM:TO]]</translation>
    </message>
    <message>
        <source>  Escribe en OUT un documento con esos máximos, en el orden dado.
  ESCALA vale 1 si se omite; una «s» final marca la curva para verla por separado.
  ANCHURA debe ser mayor que 0. Un documento admite como mucho 99 máximos.
  forma=F da a la banda una forma propia: g (gaussiana), l (lorentziana), pv
  (pseudo-Voigt) o v (Voigt), con la fracción lorentziana ETA entre 0 y 1 (0,5)
  para pv y v; sin ella, la banda sigue la forma del documento.
  --from FILE   añade, en ese punto del orden, las bandas de una lista: una tabla
                de texto (columnas separadas por espacios, tabuladores, comas o
                puntos y comas; posición, intensidad y, si las hay, anchura y
                escala, o las que nombre su encabezado, con forma y eta si las
                trae, como las escribe show --csv) o una tabla de picos
                JCAMP-DX, o el análisis de frecuencias de una salida de Gaussian,
                ORCA, Q-Chem, NWChem, GAMESS o Molden (un modo por banda; se
                dejan fuera las frecuencias imaginarias, con un aviso, y las
                traslaciones y rotaciones).
                Si algo falla no se escribe nada.
  --width W     la anchura de las bandas que no la traen (obligatoria si la
                lista no tiene columna de anchuras)
  --scale S     la escala de las bandas que no la traen (1)
  --areas       la columna de intensidades da áreas: cada una se convierte en
                la altura que da esa área con la anchura de la banda
  --lorentzian  las áreas son de bandas lorentzianas (si no, gaussianas)
  --kind K      qué da una salida de química cuántica como intensidades: ir, las
                intensidades infrarrojas en km/mol, tomadas como áreas (la opción
                por omisión); raman-activity, las actividades Raman como se
                imprimen; raman, las intensidades Raman (n0 - n)^4 S / (n (1 -
                exp(- h c n / k T))), la más alta 100
  --laser NM    la línea del láser de --kind raman en nm (532)
  --temperature K  la temperatura de --kind raman en K (298,15)
  --strongest   si una salida de química cuántica da más bandas de las que
                caben, toma las más intensas que caben (si no, no se importa
                ninguna)
  --range DESDE:HASTA  toma de una salida de química cuántica solo los modos
                cuyo número de onda, como se imprime, está entre DESDE y HASTA
                (cm-1)
</source>
        <translation>  Writes to OUT a document with those peaks, in the order given.
  SCALE is 1 if left out; a final &quot;s&quot; marks the curve to be shown on its own.
  WIDTH must be greater than 0. A document holds at most 99 peaks.
  forma=F gives the band a shape of its own: g (Gaussian), l (Lorentzian), pv
  (pseudo-Voigt) or v (Voigt), with the Lorentzian share ETA between 0 and 1
  (0.5) for pv and v; without it the band follows the document&apos;s shape.
  --from FILE   adds, at that point of the order, the bands of a list: a text
                table (columns separated by spaces, tabs, commas or
                semicolons; position, intensity and, if present, width and
                scale, or those its heading names, with shape and eta if it
                has them, as show --csv writes them), a JCAMP-DX peak table,
                or the frequency analysis of a Gaussian, ORCA, Q-Chem,
                NWChem, GAMESS or Molden output (a band per mode; imaginary
                frequencies are left out, with a note, and so are
                translations and rotations).
                If anything fails, nothing is written.
  --width W     the width of the bands that have none (required if the list
                has no column of widths)
  --scale S     the scale of the bands that have none (1)
  --areas       the intensity column gives areas: each becomes the height
                that gives that area with the band&apos;s width
  --lorentzian  the areas are of Lorentzian bands (otherwise Gaussian)
  --kind K      what a quantum-chemistry output gives as intensities: ir, the
                infrared intensities in km/mol, taken as areas (the
                default); raman-activity, the Raman activities as printed;
                raman, the Raman intensities (n0 - n)^4 S / (n (1 -
                exp(- h c n / k T))), the strongest 100
  --laser NM    the laser line of --kind raman in nm (532)
  --temperature K  the temperature of --kind raman in K (298.15)
  --strongest   if a quantum-chemistry output gives more bands than fit,
                takes the strongest that fit (otherwise none is imported)
  --range FROM:TO  takes from a quantum-chemistry output only the modes whose
                wavenumber, as printed, lies between FROM and TO (cm-1)
</translation>
    </message>
    <message>
        <source>  Muestra la tabla de máximos de DOC como la lista de la ventana: los seis
  encabezados y una línea por máximo, el más reciente primero, separados por
  tabuladores.
  --csv  la tabla en CSV con punto decimal, el más antiguo primero, con el
         encabezado posicion,intensidad,anchura,escala,R (R: s o n) y cada número
         con las cifras justas para leerse igual: new --from lo rehace byte a byte
         (una marca de separada distinta de 0 y 1, de otro programa, vuelve como 1).
         Si alguna banda tiene forma propia, siguen las columnas forma (g, l, pv,
         v, o doc para las que siguen al documento) y eta (la fracción
         lorentziana).
</source>
        <translation>  Shows the peak table of DOC as the window lists it: the six headings and one
  line per peak, newest first, separated by tabs.
  --csv  the table as CSV with a decimal point, oldest first, with the heading
         posicion,intensidad,anchura,escala,R (R: s or n) and each number with
         just the digits to read back the same: new --from rebuilds it byte for
         byte (a separate mark other than 0 and 1, from another program, comes
         back as 1).
         If some band has a shape of its own, the columns forma (g, l, pv, v, or
         doc for those that follow the document) and eta (the Lorentzian share)
         follow.
</translation>
    </message>
    <message>
        <source>trazel-cli figure DOC [--xmin A --xmax B] [--ymin C --ymax D] [--lorentzian] [--scaled]
                  [--measured FILE [--spectrum N|NOMBRE] [--yfactor F] [--y CAMBIO]
                  [--x CAMBIO [--laser NM]] [--subtract-als LAMBDA,P]] [--width-cm W
                  [--height-cm H]] [--width-in W [--height-in H]] [--size WxH]
                  [--dpi D] [--fill] [--reversed|--increasing]
                  [--region-number N] [--xtitle T] [--ytitle T]
                  -o OUT.png|OUT.svg|OUT.pdf</source>
        <translation>trazel-cli figure DOC [--xmin A --xmax B] [--ymin C --ymax D] [--lorentzian] [--scaled]
                  [--measured FILE [--spectrum N|NAME] [--yfactor F] [--y CHANGE]
                  [--x CHANGE [--laser NM]] [--subtract-als LAMBDA,P]] [--width-cm W
                  [--height-cm H]] [--width-in W [--height-in H]] [--size WxH]
                  [--dpi D] [--fill] [--reversed|--increasing]
                  [--region-number N] [--xtitle T] [--ytitle T]
                  -o OUT.png|OUT.svg|OUT.pdf</translation>
    </message>
    <message>
        <source>  Dibuja en OUT el gráfico ampliado de la ventana, el mismo que su «Exportar
  imagen...»: ejes con marcas y títulos, la suma en negro muestreada en cada
  píxel y en el centro de cada banda, las bandas marcadas para verse por
  separado en colores propios, la leyenda de lo que se ve y, si se da, un
  espectro medido y el ajuste guardado. Se dibuja como en papel: textos y
  líneas en puntos (1/72 de pulgada), con suavizado, del mismo tamaño a
  cualquier resolución.
  --xmin A, --xmax B  el intervalo de x (si se omiten, los de la vista que
                      guarda el documento, o los del ajuste, o los del espectro)
  --ymin C, --ymax D  los límites de y (si se omiten, los de la vista guardada
                      o los de las curvas)
  --lorentzian        bandas lorentzianas (si no, gaussianas)
  --scaled            cada banda centrada en su máximo escalado
  --measured FILE     un espectro medido: texto x-y (CSV, columnas), JCAMP-DX,
                      SPC u OPUS
  --spectrum N|NOMBRE  cuál de los espectros de FILE, si guarda varios, como en
                      spectrum (el primero)
  --yfactor F         multiplica las y del espectro medido, como el factor de y
                      de la ventana (1)
  --y, --x, --laser, --subtract-als  transforman el espectro medido antes de
                      dibujarlo, como en spectrum
  --width-cm W, --height-cm H  el tamaño en papel en centímetros (8,5 de
                      ancho, una columna de revista; el alto, 3/4 del ancho)
  --width-in W, --height-in H  el tamaño en pulgadas
  --dpi D             puntos por pulgada del PNG, que los lleva escritos, de 10
                      a 10000 (600)
  --size WxH          el tamaño en píxeles, de 16 a 20000 por lado; sin --dpi, a
                      la resolución que le da 8,5 cm de ancho (de 10 a 10000)
  --fill              sombrea las bandas ajustadas hasta la línea base
  --region-number N   solo la región de ajuste N de las que lista show (todas
                      si se omite), sobre su intervalo si no se dan --xmin y
                      --xmax
  --reversed          el eje x decrece hacia la derecha
  --increasing        el eje x crece hacia la derecha (si no se da ninguna, la
                      dirección que guarda el documento o la de su espectro)
  --xtitle T, --ytitle T  los títulos de los ejes (los de las unidades del
                      espectro medido si las declara; si no, x e y)
  -o OUT              PNG, SVG o PDF según la terminación; se sustituye entero
</source>
        <translation>  Draws to OUT the window&apos;s enlarged graph, the same as its &quot;Export image...&quot;:
  axes with ticks and titles, the sum in black sampled at every pixel and at
  the centre of every band, the bands marked to be shown on their own in
  colours of their own, the legend of what is shown and, if given, a measured
  spectrum and the stored fit. It is drawn as on paper: text and lines in
  points (1/72 inch), antialiased, the same size at any resolution.
  --xmin A, --xmax B  the x range (if left out, that of the view the document
                      keeps, or the fit&apos;s, or the spectrum&apos;s)
  --ymin C, --ymax D  the y limits (if left out, those of the stored view or
                      those of the curves)
  --lorentzian        Lorentzian bands (otherwise Gaussian)
  --scaled            each band centred on its scaled peak
  --measured FILE     a measured spectrum: x-y text (CSV, columns), JCAMP-DX,
                      SPC or OPUS
  --spectrum N|NAME   which of the spectra of FILE, if it holds several, as in
                      spectrum (the first)
  --yfactor F         multiplies the y of the measured spectrum, as the window&apos;s
                      y factor does (1)
  --y, --x, --laser, --subtract-als  transform the measured spectrum before
                      drawing it, as in spectrum
  --width-cm W, --height-cm H  the size on paper in centimetres (8.5 wide, one
                      journal column; the height, 3/4 of the width)
  --width-in W, --height-in H  the size in inches
  --dpi D             dots per inch of the PNG, which records them, from 10 to
                      10000 (600)
  --size WxH          the size in pixels, from 16 to 20000 a side; without --dpi,
                      at the resolution that makes it 8.5 cm wide (10 to 10000)
  --fill              shades the fitted bands down to the baseline
  --region-number N   only fit region N of those show lists (all if left out),
                      over its range unless --xmin and --xmax are given
  --reversed          the x axis decreases to the right
  --increasing        the x axis increases to the right (without either, the
                      direction the document keeps, or that of its spectrum)
  --xtitle T, --ytitle T  the axis titles (those of the measured spectrum&apos;s
                      units if it declares them; otherwise x and y)
  -o OUT              PNG, SVG or PDF by its ending; replaced whole
</translation>
    </message>
    <message>
        <source>trazel-cli fit DOC [--measured FILE [--spectrum N|NOMBRE]] [--y CAMBIO]
               [--x CAMBIO [--laser NM]]
               [--xmin A --xmax B] [--lorentzian] [--scaled]
               [--shape gauss|lorentz|pseudo-voigt|voigt]
               [--bands 1,3,5] [--hold width|position|intensity|share]...
               [--subtract-als LAMBDA,P] [--baseline none|constant|linear|quadratic|cubic]
               [--allow-negative] [--strict] [--yfactor F] [--max-iterations N]
               [--add-bands N] [--region A:B|all [OPCIONES DE LA REGIÓN]]...
               [--report FILE.txt|FILE.csv] [--curves FILE.csv [--step S]] -o OUT</source>
        <translation>trazel-cli fit DOC [--measured FILE [--spectrum N|NAME]] [--y CHANGE]
               [--x CHANGE [--laser NM]]
               [--xmin A --xmax B] [--lorentzian] [--scaled]
               [--shape gauss|lorentz|pseudo-voigt|voigt]
               [--bands 1,3,5] [--hold width|position|intensity|share]...
               [--subtract-als LAMBDA,P] [--baseline none|constant|linear|quadratic|cubic]
               [--allow-negative] [--strict] [--yfactor F] [--max-iterations N]
               [--add-bands N] [--region A:B|all [REGION OPTIONS]]...
               [--report FILE.txt|FILE.csv] [--curves FILE.csv [--step S]] -o OUT</translation>
    </message>
    <message>
        <source>  Ajusta por mínimos cuadrados las bandas de DOC al espectro medido FILE y
  escribe en OUT el documento ajustado (entero o nada). Muestra la tabla del
  resultado: un encabezado, una línea por banda, la más reciente primero
  (posición, intensidad, anchura y área, cada una con su error típico, «fija» o
  «en el límite»), la línea base c0 + c1 (x - xc) + ... alrededor del centro xc
  del intervalo, la estadística del ajuste y el veredicto, separadas por
  tabuladores. El veredicto, R², el chi² reducido y la cifra de estructura del
  residuo van también a la salida de errores. Las intensidades no bajan de 0,
  las anchuras quedan entre medio paso entre puntos y el intervalo, y las
  posiciones dentro del intervalo.
  --measured FILE   el espectro medido (x-y de texto, JCAMP-DX, SPC u OPUS); sin
                    él, el que guarda DOC, con su transformación
  --spectrum N|NOMBRE  cuál de los espectros de FILE, si guarda varios, como en
                    spectrum (el primero)
  --y, --x, --laser transforman el espectro medido antes del ajuste, como en
                    spectrum, en lugar de la transformación guardada; --xmin
                    y --xmax van en las unidades resultantes
  --xmin A, --xmax B  los puntos que cuentan (todos si se omiten), en
                    cualquier orden
  --lorentzian      bandas lorentzianas (si no, gaussianas), las que siguen la
                    forma del documento
  --shape FORMA     da esa forma a todas las bandas que varían, y el documento
                    ajustado la guarda; pseudo-voigt y voigt ajustan además su
                    fracción lorentziana entre 0 y 1 (sin la opción, cada banda
                    conserva la suya)
  --scaled          cada banda centrada en posición por escala; varía la posición
  --bands 1,3,5     las bandas que varían, numeradas como las lista show (todas)
  --hold VALOR      deja fijo ese valor (position, intensity, width o share, la
                    fracción lorentziana) de las bandas que varían; se puede
                    repetir
  --subtract-als LAMBDA,P  resta una línea base por mínimos cuadrados
                    asimétricos, el último paso de la transformación
  --baseline B      línea base ajustada a la vez: none, constant, linear,
                    quadratic o cubic (none)
  --allow-negative  deja que las intensidades bajen de 0
  --strict          un valor en el límite o un residuo que no es ruido (falta
                    una banda, la forma de línea no conviene o lo supera sin
                    forma de banda) salen con 3 sin escribir nada
  --yfactor F       multiplica la y medida por F (1, o el guardado)
  --max-iterations N  iteraciones como mucho antes de darlo por perdido (500)
  --add-bands N     hasta N bandas añadidas, una a una, en el mayor rasgo del
                    residuo, ajustando de nuevo tras cada una; para cuando el
                    residuo es ruido o una banda ya no baja el BIC (0)
  --region A:B      ajusta la región de x de A a B, cada banda en la región que
                    contiene su centro; las opciones --bands, --baseline,
                    --hold, --shape, --allow-negative, --max-iterations y
                    --add-bands que la siguen son solo suyas, y las dadas
                    antes de la primera --region, de todas. Se puede repetir;
                    las regiones se ajustan por orden y no se solapan. Una
                    región guardada que el intervalo solapa se ajusta de nuevo
                    con sus opciones; las demás se conservan. Con all, cada
                    región guardada de nuevo. Sin --region, el intervalo de
                    --xmin y --xmax es una región. Con varias, cada tabla sale
                    tras una línea «# x de A a B»
  --report FILE     el informe del ajuste: .txt para leer (documento, espectro,
                    intervalo, forma, línea base, veredicto, estadística y una
                    fila por banda con cada valor redondeado por su error y el %
                    del área total, la fecha y la versión) o .csv con los mismos
                    números sin redondear, columnas con nombre fijo y, tras una
                    línea en blanco, la tabla magnitud,valor de la estadística;
                    con varias regiones, todas: el .txt con los datos de cada
                    una y el % del área de su región y del total, el .csv con
                    la región al principio de cada fila
  --curves FILE.csv las curvas del ajuste: x, medido (tal como se ajustó), línea
                    base, ajuste, cada banda y residuo en cada punto medido del
                    intervalo; ajuste = línea base + bandas en cada fila; con
                    varias regiones, una tabla por región, separadas por una
                    línea en blanco
  --step S          las curvas en una malla de paso S desde el inicio del
                    intervalo, sin medido ni residuo
  -o OUT            el documento ajustado; puede ser DOC mismo. Con «-» el
                    documento va a la salida estándar y la tabla a la de errores.
  El informe y las curvas se escriben enteros o nada, nunca sobre una entrada.
  Un ajuste de más de unos segundos muestra su avance en la salida de errores
  cuando es un terminal.
  Sale con 3, sin escribir nada, si el ajuste no converge, el problema es
  singular (una banda sin puntos debajo, dos bandas iguales, pocos puntos), una
  suma, un valor o un error no es un número finito, o el resultado no significa
  nada (datos sin variación, una banda sin señal, un error mayor que el
  intervalo de x).
</source>
        <translation>  Fits the bands of DOC to the measured spectrum FILE by least squares and
  writes the fitted document to OUT (whole or not at all). Shows the result
  table: a heading, one line per band, newest first (position, intensity, width
  and area, each with its standard error, &quot;fija&quot; (held) or &quot;en el límite&quot; (at
  its limit)), the baseline c0 + c1 (x - xc) + ... around the centre xc of the
  range, the fit statistics and the verdict, separated by tabs. The verdict,
  R², the reduced chi² and the residual&apos;s structure figure also go to standard
  error. Intensities do not go below 0, widths stay between half the spacing of
  the points and the range, and positions within the range.
  --measured FILE   the measured spectrum (x-y text, JCAMP-DX, SPC or OPUS);
                    without it, the one DOC holds, with its transform
  --spectrum N|NAME which of the spectra of FILE, if it holds several, as in
                    spectrum (the first)
  --y, --x, --laser transform the measured spectrum before the fit, as in
                    spectrum, in place of the stored transform; --xmin and
                    --xmax are in the resulting units
  --xmin A, --xmax B  the points that count (all if left out), in either
                    order
  --lorentzian      Lorentzian bands (otherwise Gaussian), those that follow
                    the document&apos;s shape
  --shape SHAPE     gives every band that varies that shape, which the fitted
                    document keeps; pseudo-voigt and voigt also fit their
                    Lorentzian share between 0 and 1 (without the option each
                    band keeps its own)
  --scaled          each band centred on position times scale; the position
                    varies
  --bands 1,3,5     the bands that vary, numbered as show lists them (all)
  --hold VALUE      holds that value (position, intensity, width or share, the
                    Lorentzian share) of the bands that vary; may be repeated
  --subtract-als LAMBDA,P  subtracts an asymmetric least squares baseline, the
                    last step of the transformation
  --baseline B      a baseline fitted at the same time: none, constant, linear,
                    quadratic or cubic (none)
  --allow-negative  lets intensities go below 0
  --strict          a value at its limit or a residual that is not noise (a
                    band missing, a line shape that does not suit, or above the
                    noise without a band&apos;s form) exits with 3 without writing
                    anything
  --yfactor F       multiplies the measured y by F (1, or the stored one)
  --max-iterations N  most iterations before giving up (500)
  --add-bands N     up to N bands added, one at a time, at the largest feature
                    of the residual, fitting again after each; stops when the
                    residual is noise or a band no longer lowers the BIC (0)
  --region A:B      fits the x region from A to B, each band in the region that
                    holds its centre; the options --bands, --baseline, --hold,
                    --shape, --allow-negative, --max-iterations and --add-bands
                    that follow it are its own, and those given before the
                    first --region are every region&apos;s. May be repeated; the
                    regions are fitted in turn and do not overlap. A stored
                    region the range overlaps is fitted again with its options;
                    the others are kept. With all, every stored region again.
                    Without --region, the range of --xmin and --xmax is a
                    region. With several, each table comes after a line
                    &quot;# x de A a B&quot;
  --report FILE     the fit report: .txt to read (document, spectrum, range,
                    shape, baseline, verdict, statistics and one row per band
                    with each value rounded by its error and the % of the total
                    area, the date and the version) or .csv with the same
                    numbers unrounded, columns with fixed names and, after a
                    blank line, the quantity,value table of the statistics;
                    with several regions, all of them: the .txt with each one&apos;s
                    facts and the % of its region&apos;s area and of the total, the
                    .csv with the region first on each row
  --curves FILE.csv the fit&apos;s curves: x, measured (as fitted), baseline, fit,
                    each band and residual at each measured point of the range;
                    fit = baseline + bands in each row; with several regions,
                    one table per region, separated by a blank line
  --step S          the curves on a grid of step S from the start of the
                    range, without measured or residual
  -o OUT            the fitted document; may be DOC itself. With &quot;-&quot; the
                    document goes to standard output and the table to standard
                    error.
  The report and the curves are written whole or not at all, never over an
  input.
  A fit that takes more than a few seconds shows its progress on standard
  error when that is a terminal.
  Exits with 3, writing nothing, if the fit does not converge, the problem is
  singular (a band with no points under it, two equal bands, too few points), a
  sum, a value or an error is not a finite number, or the result means nothing
  (data without variation, a band without signal, an error larger than the x
  range).
</translation>
    </message>
    <message>
        <source>trazel-cli compare DOC [--measured FILE [--spectrum N|NOMBRE]] [--y CAMBIO]
                   [--x CAMBIO [--laser NM]] [--subtract-als LAMBDA,P] [--yfactor F]
                   [--xmin A --xmax B] [--shift] [--fixed-width] [--fixed-share]
                   [--baseline none|constant|linear|quadratic|cubic] [--lorentzian]
                   [--report FILE.txt|FILE.csv] [--assignments FILE.csv] [-o OUT.trz]</source>
        <translation>trazel-cli compare DOC [--measured FILE [--spectrum N|NAME]] [--y CHANGE]
                   [--x CHANGE [--laser NM]] [--subtract-als LAMBDA,P] [--yfactor F]
                   [--xmin A --xmax B] [--shift] [--fixed-width] [--fixed-share]
                   [--baseline none|constant|linear|quadratic|cubic] [--lorentzian]
                   [--report FILE.txt|FILE.csv] [--assignments FILE.csv] [-o OUT.trz]</translation>
    </message>
    <message>
        <source>  Compara las bandas de DOC, tomadas como calculadas (posiciones e intensidades
  de un cálculo), con el espectro medido: busca el factor de escala a entre 0,85
  y 1,10 y ajusta por mínimos cuadrados solo a, el desplazamiento b, una anchura
  w común, un factor de intensidad k común (las intensidades relativas son las
  del cálculo), la fracción lorentziana común de las bandas mixtas y la línea
  base. Asigna cada banda calculada a una banda medida (la búsqueda de bandas en
  el mismo intervalo) por el emparejamiento uno a uno que minimiza la suma de
  los cuadrados de las diferencias de posición, dentro de dos anchuras.
  Muestra, separadas por tabuladores, la tabla magnitud, valor y error (a, b, w,
  k, la fracción, la línea base, R², r de Pearson, el coseno de los espectros y
  el acuerdo) y, tras una línea en blanco, la asignación: una fila por banda
  calculada (número, posición, escalada, intensidad, medida, intensidad medida,
  desviación en x y en %, y la escala que la lleva a su banda medida) y una por
  banda medida sin pareja. El veredicto va a la salida de errores.
  --measured FILE   el espectro medido (x-y de texto, JCAMP-DX, SPC u OPUS); sin
                    él, el que guarda DOC, con su transformación
  --spectrum N|NOMBRE  cuál de los espectros de FILE, si guarda varios
  --y, --x, --laser, --subtract-als  transforman el espectro medido, como en
                    spectrum, en lugar de la transformación guardada
  --yfactor F       multiplica la y medida por F (1, o el guardado)
  --xmin A, --xmax B  el intervalo comparado (todo el espectro si se omiten)
  --shift           ajusta también un desplazamiento b: posiciones a·ν + b
  --fixed-width     deja la anchura en la mediana de las bandas medidas
  --fixed-share     deja la fracción lorentziana de las bandas mixtas
  --baseline B      línea base ajustada a la vez: none, constant, linear,
                    quadratic o cubic (none)
  --lorentzian      bandas lorentzianas las que siguen la forma del documento
  --report FILE     el informe: .txt para leer o .csv con los números sin
                    redondear
  --assignments FILE.csv  la tabla de asignación en CSV
  -o OUT.trz        el documento con la comparación aplicada (la escala en cada
                    banda, o sin escala las posiciones a·ν + b con --shift; la
                    anchura y las intensidades) y guardada; puede ser DOC mismo
  Los archivos se escriben enteros o nada, nunca sobre una entrada.
  Sale con 3, sin escribir nada, si no se llega a una comparación (sin bandas,
  pocos puntos, datos sin variación, ninguna banda en el intervalo o un ajuste
  que no converge).
</source>
        <translation>  Compares the bands of DOC, taken as computed (the positions and intensities
  of a calculation), with the measured spectrum: searches the scale factor a
  between 0.85 and 1.10 and fits by least squares only a, the shift b, one
  common width w, one common intensity factor k (the relative intensities are
  the calculation&apos;s), the common Lorentzian share of the mixed bands and the
  baseline. Assigns each computed band to a measured band (the band search
  over the same range) by the one-to-one matching that minimises the sum of
  the squared position differences, within two widths.
  Prints, tab-separated, the table quantity, value and error (a, b, w, k, the
  share, the baseline, R², Pearson&apos;s r, the cosine of the spectra and the
  agreement) and, after a blank line, the assignment: one row per computed
  band (number, position, scaled, intensity, measured, measured intensity,
  deviation in x and in %, and the scale that takes it to its measured band)
  and one per measured band without a partner. The verdict goes to standard
  error.
  --measured FILE   the measured spectrum (x-y text, JCAMP-DX, SPC or OPUS);
                    without it, the one DOC holds, with its transformation
  --spectrum N|NAME  which of the spectra of FILE, if it holds several
  --y, --x, --laser, --subtract-als  transform the measured spectrum, as for
                    spectrum, instead of the stored transformation
  --yfactor F       multiplies the measured y by F (1, or the stored one)
  --xmin A, --xmax B  the range compared (the whole spectrum if omitted)
  --shift           fits a shift b too: positions a·ν + b
  --fixed-width     keeps the width at the median of the measured bands
  --fixed-share     keeps the Lorentzian share of the mixed bands
  --baseline B      baseline fitted at the same time: none, constant, linear,
                    quadratic or cubic (none)
  --lorentzian      Lorentzian the bands that follow the document&apos;s shape
  --report FILE     the report: .txt to read or .csv with the numbers
                    unrounded
  --assignments FILE.csv  the assignment table as CSV
  -o OUT.trz        the document with the comparison applied (the scale in
                    every band, or with --shift the positions a·ν + b without
                    scale; the width and the intensities) and stored; may be
                    DOC itself
  The files are written whole or not at all, never over an input.
  Exits 3, writing nothing, when no comparison is reached (no bands, too few
  points, data without variation, no band in the range or a fit that does
  not converge).
</translation>
    </message>
</context>
<context>
    <name>CompareCommand</name>
    <message>
        <source>--spectrum elige un espectro del archivo de --measured, que falta</source>
        <translation>--spectrum chooses a spectrum of the file of --measured, which is missing</translation>
    </message>
    <message>
        <source>%1 escribe en un archivo con nombre, no en «%2»</source>
        <translation>%1 writes to a named file, not to “%2”</translation>
    </message>
    <message>
        <source>el archivo de %1 debe terminar en %2, no «%3»</source>
        <translation>the file of %1 must end in %2, not “%3”</translation>
    </message>
    <message>
        <source>«%1» se pide dos veces como archivo de salida</source>
        <translation>“%1” is asked for twice as an output file</translation>
    </message>
    <message>
        <source>no hay comparación: %1.</source>
        <translation>no comparison: %1.</translation>
    </message>
    <message>
        <source> No se ha escrito nada.
</source>
        <translation> Nothing has been written.
</translation>
    </message>
</context>
<context>
    <name>FigureCommand</name>
    <message>
        <source>--size se escribe ANCHOxALTO en píxeles (1200x800), no «%1»</source>
        <translation>--size is written WIDTHxHEIGHT in pixels (1200x800), not “%1”</translation>
    </message>
    <message>
        <source>el tamaño se da de una sola manera: --size en píxeles, o --width-cm y --height-cm, o --width-in y --height-in</source>
        <translation>give the size in one way only: --size in pixels, or --width-cm and --height-cm, or --width-in and --height-in</translation>
    </message>
    <message>
        <source>%1 debe ser mayor que 0</source>
        <translation>%1 must be greater than 0</translation>
    </message>
    <message>
        <source>no se puede dibujar la figura a ese tamaño: %1</source>
        <translation>cannot draw the figure at that size: %1</translation>
    </message>
    <message>
        <source>--xmin y --xmax van juntas; sin ellas los límites de x son los del ajuste guardado o los del espectro medido</source>
        <translation>--xmin and --xmax go together; without them the x limits are those of the stored fit or of the measured spectrum</translation>
    </message>
    <message>
        <source>--ymin y --ymax van juntas; sin ellas los límites de y salen de las curvas</source>
        <translation>--ymin and --ymax go together; without them the y limits come from the curves</translation>
    </message>
    <message>
        <source>--y y --x transforman el espectro de --measured, que falta</source>
        <translation>--y and --x transform the spectrum of --measured, which is missing</translation>
    </message>
    <message>
        <source>--yfactor multiplica el espectro de --measured, que falta</source>
        <translation>--yfactor multiplies the spectrum of --measured, which is missing</translation>
    </message>
    <message>
        <source>el archivo de -o debe terminar en .png, .svg o .pdf, no «%1»</source>
        <translation>the file of -o must end in .png, .svg or .pdf, not “%1”</translation>
    </message>
    <message>
        <source>faltan --xmin y --xmax: el documento no guarda ningún espectro medido del que tomarlos</source>
        <translation>--xmin and --xmax are missing: the document stores no measured spectrum to take them from</translation>
    </message>
    <message>
        <source>no se puede dibujar la figura: falta la aplicación de ventanas de Qt.</source>
        <translation>cannot draw the figure: the Qt widgets application is missing.</translation>
    </message>
    <message>
        <source>--size: la imagen debe tener de %1 a %2 píxeles por lado, no «%3»</source>
        <translation>--size: the picture must have from %1 to %2 pixels a side, not &quot;%3&quot;</translation>
    </message>
    <message>
        <source>no se puede dibujar la figura: %1</source>
        <translation>the figure cannot be drawn: %1</translation>
    </message>
    <message>
        <source>--spectrum elige un espectro del archivo de --measured, que falta</source>
        <translation>--spectrum chooses a spectrum of the file of --measured, which is missing</translation>
    </message>
    <message>
        <source>--reversed y --increasing se excluyen</source>
        <translation>--reversed and --increasing exclude each other</translation>
    </message>
    <message>
        <source>--region-number: el documento tiene %1 y no la %2</source>
        <translation>--region-number: the document has %1 and no number %2</translation>
    </message>
    <message>
        <source>%1 región de ajuste</source>
        <translation>%1 fit region</translation>
    </message>
    <message>
        <source>%1 regiones de ajuste</source>
        <translation>%1 fit regions</translation>
    </message>
</context>
<context>
    <name>FitCommand</name>
    <message>
        <source>--bands numera las bandas desde 1, no «%1»</source>
        <translation>--bands numbers the bands from 1, not “%1”</translation>
    </message>
    <message>
        <source>--bands espera números separados por comas, no «%1»</source>
        <translation>--bands expects numbers separated by commas, not “%1”</translation>
    </message>
    <message>
        <source>trazel-cli fit: iteración %1 de %2, suma de cuadrados %3</source>
        <translation>trazel-cli fit: iteration %1 of %2, sum of squares %3</translation>
    </message>
    <message>
        <source>--max-iterations debe ser un número entero mayor que 0, no «%1»</source>
        <translation>--max-iterations must be a whole number greater than 0, not “%1”</translation>
    </message>
    <message>
        <source>%1 escribe en un archivo con nombre, no en «%2»</source>
        <translation>%1 writes to a named file, not to “%2”</translation>
    </message>
    <message>
        <source>«%1» se pide dos veces como archivo de salida</source>
        <translation>“%1” is asked for twice as an output file</translation>
    </message>
    <message>
        <source>el archivo de --report debe terminar en .txt o .csv, no «%1»</source>
        <translation>the file of --report must end in .txt or .csv, not “%1”</translation>
    </message>
    <message>
        <source>el archivo de --curves debe terminar en .csv, no «%1»</source>
        <translation>the file of --curves must end in .csv, not “%1”</translation>
    </message>
    <message>
        <source>--step da la malla de --curves, que falta</source>
        <translation>--step gives the grid of --curves, which is missing</translation>
    </message>
    <message>
        <source>--step debe ser mayor que 0, no «%1»</source>
        <translation>--step must be greater than 0, not “%1”</translation>
    </message>
    <message>
        <source>falta -o con el documento de salida</source>
        <translation>give the output document with -o</translation>
    </message>
    <message>
        <source>--step: con ese paso el intervalo del ajuste daría más de 10000000 filas</source>
        <translation>--step: with that step the fit range would give more than 10000000 rows</translation>
    </message>
    <message>
        <source> No se ha escrito nada.
</source>
        <translation> Nothing has been written.
</translation>
    </message>
    <message>
        <source>--bands: el documento tiene %1 y no hay banda %2</source>
        <translation>--bands: the document has %1 and there is no band %2</translation>
    </message>
    <message>
        <source>%1 banda</source>
        <translation>%1 band</translation>
    </message>
    <message>
        <source>%1 bandas</source>
        <translation>%1 bands</translation>
    </message>
    <message>
        <source>--spectrum elige un espectro del archivo de --measured, que falta</source>
        <translation>--spectrum chooses a spectrum of the file of --measured, which is missing</translation>
    </message>
    <message>
        <source>--hold espera position, intensity, width o share, no «%1»</source>
        <translation>--hold takes position, intensity, width or share, not “%1”</translation>
    </message>
    <message>
        <source>--shape espera gauss, lorentz, pseudo-voigt o voigt, no «%1»</source>
        <translation>--shape takes gauss, lorentz, pseudo-voigt or voigt, not “%1”</translation>
    </message>
    <message>
        <source>--add-bands debe ser un número entero de 0 a %1, no «%2»</source>
        <translation>--add-bands must be a whole number from 0 to %1, not “%2”</translation>
    </message>
    <message>
        <source>trazel-cli fit: banda añadida en el residuo cerca de x = %1 (BIC de %2 a %3)
</source>
        <translation>trazel-cli fit: band added in the residual near x = %1 (BIC from %2 to %3)
</translation>
    </message>
    <message>
        <source>trazel-cli fit: con --strict, un valor en el límite o un residuo que no es ruido es un fallo. No se ha escrito nada.
</source>
        <translation>trazel-cli fit: with --strict, a value at its limit or a residual that is not noise is a failure. Nothing has been written.
</translation>
    </message>
    <message>
        <source>--region espera A:B (dos números) o all, no «%1»</source>
        <translation>--region expects A:B (two numbers) or all, not “%1”</translation>
    </message>
    <message>
        <source>--region: el intervalo %1 está vacío; A debe ser menor que B</source>
        <translation>--region: the range %1 is empty; A must be less than B</translation>
    </message>
    <message>
        <source>--xmin y --xmax no van con --region, que da el intervalo</source>
        <translation>--xmin and --xmax do not go with --region, which gives the range</translation>
    </message>
    <message>
        <source>--region all: %1 no guarda ninguna región de ajuste</source>
        <translation>--region all: %1 keeps no fit region</translation>
    </message>
    <message>
        <source>--region: %1:%2 se solapa con %3:%4</source>
        <translation>--region: %1:%2 overlaps %3:%4</translation>
    </message>
    <message>
        <source>trazel-cli fit: x de %1 a %2: </source>
        <translation>trazel-cli fit: x from %1 to %2: </translation>
    </message>
    <message>
        <source># x de %1 a %2
</source>
        <translation># x from %1 to %2
</translation>
    </message>
</context>
<context>
    <name>MeasuredOptions</name>
    <message>
        <source>--subtract-als espera LAMBDA,P, dos números separados por una coma (por ejemplo 1e5,0.01), no «%1»</source>
        <translation>--subtract-als expects LAMBDA,P, two numbers separated by a comma (for example 1e5,0.01), not “%1”</translation>
    </message>
    <message>
        <source>--subtract-als: %1</source>
        <translation>--subtract-als: %1</translation>
    </message>
    <message>
        <source>--x espera nanometre-to-wavenumber, wavenumber-to-nanometre, micrometre-to-wavenumber o raman-shift, no «%1»</source>
        <translation>--x expects nanometre-to-wavenumber, wavenumber-to-nanometre, micrometre-to-wavenumber or raman-shift, not “%1”</translation>
    </message>
    <message>
        <source>--x raman-shift necesita --laser con la longitud de onda del láser en nm</source>
        <translation>--x raman-shift needs --laser with the laser wavelength in nm</translation>
    </message>
    <message>
        <source>--laser solo sirve con --x raman-shift</source>
        <translation>--laser only applies with --x raman-shift</translation>
    </message>
    <message>
        <source>--laser debe ser una longitud de onda en nm mayor que 0, no «%1»</source>
        <translation>--laser must be a wavelength in nm greater than 0, not “%1”</translation>
    </message>
    <message>
        <source>No se pudo usar %1: con %2 quedan %3 de sus %4 puntos, y hacen falta al menos dos (la transformación no está definida en los demás).</source>
        <translation>Could not use %1: with %2, %3 of its %4 points are left, and at least two are needed (the transformation is not defined at the others).</translation>
    </message>
    <message>
        <source>%1 con x ≤ 0</source>
        <translation>%1 with x ≤ 0</translation>
    </message>
    <message>
        <source>%1 con transmitancia ≤ 0</source>
        <translation>%1 with transmittance ≤ 0</translation>
    </message>
    <message>
        <source>%1 cuya y transformada no cabe en un número</source>
        <translation>%1 whose transformed y does not fit in a number</translation>
    </message>
    <message>
        <source>%1 y %2</source>
        <translation>%1 and %2</translation>
    </message>
    <message>
        <source>se dejan fuera %1 de los %2 puntos de %3, donde la transformación no está definida: %4.
</source>
        <translation>%1 of the %2 points of %3 are left out, where the transformation is not defined: %4.
</translation>
    </message>
    <message>
        <source>--y espera transmittance-to-absorbance, percent-transmittance-to-absorbance, absorbance-to-transmittance, absorbance-to-percent-transmittance, negate o none, no «%1»</source>
        <translation>--y expects transmittance-to-absorbance, percent-transmittance-to-absorbance, absorbance-to-transmittance, absorbance-to-percent-transmittance, negate or none, not “%1”</translation>
    </message>
    <message>
        <source>los datos declaran %1, que no se suma como las bandas; --y %2 los convierte en absorbancia (--y none los deja como están y calla este aviso).
</source>
        <translation>the data declare %1, which does not add up as bands do; --y %2 turns them into absorbance (--y none leaves them as they are and silences this note).
</translation>
    </message>
    <message>
        <source>transmitancia en porcentaje</source>
        <translation>percent transmittance</translation>
    </message>
    <message>
        <source>transmitancia</source>
        <translation>transmittance</translation>
    </message>
    <message>
        <source>No hay resultado: %1. No se ha escrito nada.</source>
        <translation>No result: %1. Nothing has been written.</translation>
    </message>
    <message>
        <source>--spectrum: %1</source>
        <translation>--spectrum: %1</translation>
    </message>
    <message>
        <source>--spectrum cuenta desde 1 (o da el nombre del espectro)</source>
        <translation>--spectrum counts from 1 (or gives the spectrum&apos;s name)</translation>
    </message>
    <message>
        <source>%1 tiene %2 espectros; se toma el primero. --spectrum N o --spectrum NOMBRE elige otro; trazel-cli spectrum %3 --list los muestra.
</source>
        <translation>%1 holds %2 spectra; the first is used. --spectrum N or --spectrum NAME chooses another; trazel-cli spectrum %3 --list lists them.
</translation>
    </message>
    <message>
        <source>falta --measured con el espectro medido: %1 no guarda ninguno</source>
        <translation>give the measured spectrum with --measured: %1 holds none</translation>
    </message>
    <message>
        <source>No se pudo usar el espectro medido de %1: con %2 quedan %3 de sus %4 puntos, y hacen falta al menos dos.</source>
        <translation>Could not use the measured spectrum of %1: with %2, %3 of its %4 points are left, and at least two are needed.</translation>
    </message>
</context>
<context>
    <name>NewCommand</name>
    <message>
        <source>posición de --peak</source>
        <translation>position of --peak</translation>
    </message>
    <message>
        <source>intensidad de --peak</source>
        <translation>intensity of --peak</translation>
    </message>
    <message>
        <source>anchura de --peak</source>
        <translation>width of --peak</translation>
    </message>
    <message>
        <source>escala de --peak</source>
        <translation>scale of --peak</translation>
    </message>
    <message>
        <source>el quinto campo de --peak solo puede ser «s», no «%1»</source>
        <translation>the fifth field of --peak can only be “s”, not “%1”</translation>
    </message>
    <message>
        <source>la anchura de --peak debe ser mayor que 0, no «%1»</source>
        <translation>the width of --peak must be greater than 0, not “%1”</translation>
    </message>
    <message>
        <source>--peak «%1»: la posición por la escala no es un número finito</source>
        <translation>--peak “%1”: the position times the scale is not a finite number</translation>
    </message>
    <message>
        <source>%1 Indíquela con --width.</source>
        <translation>%1 Give it with --width.</translation>
    </message>
    <message>
        <source>%1 debe ser mayor que 0, no «%2»</source>
        <translation>%1 must be greater than 0, not “%2”</translation>
    </message>
    <message>
        <source>--width, --scale, --areas y --lorentzian solo valen con --from</source>
        <translation>--width, --scale, --areas and --lorentzian only apply with --from</translation>
    </message>
    <message>
        <source>un documento admite como mucho 99 máximos; se han dado %1</source>
        <translation>a document holds at most 99 peaks; %1 were given</translation>
    </message>
    <message>
        <source>%1: %2.
</source>
        <translation>%1: %2.
</translation>
    </message>
    <message>
        <source>--kind debe ser ir, raman-activity o raman, no «%1»</source>
        <translation>--kind must be ir, raman-activity or raman, not “%1”</translation>
    </message>
    <message>
        <source>--kind solo vale con --from</source>
        <translation>--kind only applies with --from</translation>
    </message>
    <message>
        <source>--laser y --temperature solo valen con --kind raman</source>
        <translation>--laser and --temperature only apply with --kind raman</translation>
    </message>
    <message>
        <source>%1 Con --strongest se toman las más intensas que caben; con --range DESDE:HASTA, las de ese intervalo de números de onda.</source>
        <translation>%1 With --strongest the strongest that fit are taken; with --range FROM:TO, those of that wavenumber range.</translation>
    </message>
    <message>
        <source>--strongest y --range solo valen con una salida de química cuántica</source>
        <translation>--strongest and --range only apply to a quantum-chemistry output</translation>
    </message>
    <message>
        <source>--range debe ser DESDE:HASTA, no «%1»</source>
        <translation>--range must be FROM:TO, not “%1”</translation>
    </message>
    <message>
        <source>--range debe ir de un número de onda a otro mayor, no «%1»</source>
        <translation>--range must go from one wavenumber to a greater one, not “%1”</translation>
    </message>
    <message>
        <source>--strongest y --range solo valen con --from</source>
        <translation>--strongest and --range only apply with --from</translation>
    </message>
    <message>
        <source>la forma de --peak debe ser g, l, pv o v, no «%1»</source>
        <translation>the shape of --peak must be g, l, pv or v, not “%1”</translation>
    </message>
    <message>
        <source>fracción lorentziana de --peak</source>
        <translation>Lorentzian share of --peak</translation>
    </message>
    <message>
        <source>--peak «%1»: la fracción lorentziana va con pv o v y está entre 0 y 1</source>
        <translation>--peak “%1”: the Lorentzian share goes with pv or v and lies between 0 and 1</translation>
    </message>
    <message>
        <source>--peak espera POS,INT,ANCHURA[,ESCALA[,s]][,forma=F[:ETA]], no «%1»</source>
        <translation>--peak takes POS,INT,WIDTH[,SCALE[,s]][,forma=F[:ETA]], not “%1”</translation>
    </message>
</context>
<context>
    <name>OutputOptions</name>
    <message>
        <source>--resolution debe ser un número entero mayor que 0, no «%1»</source>
        <translation>--resolution must be a whole number greater than 0, not “%1”</translation>
    </message>
    <message>
        <source>--resolution admite como mucho %1 muestras por curva en el informe, no %2</source>
        <translation>--resolution allows at most %1 samples per curve in the report, not %2</translation>
    </message>
    <message>
        <source>--xmin y --xmax valen lo mismo (%1): no queda intervalo que dibujar</source>
        <translation>--xmin and --xmax are equal (%1): there is no range left to draw</translation>
    </message>
    <message>
        <source>el archivo de -o debe terminar en .png o en .svg, no «%1»</source>
        <translation>the file of -o must end in .png or .svg, not “%1”</translation>
    </message>
    <message>
        <source>el archivo de salida «%1» es el propio documento: se perderían sus máximos</source>
        <translation>the output file “%1” is the document itself: its peaks would be lost</translation>
    </message>
    <message>
        <source>el archivo de salida «%1» es el propio espectro medido: se perdería</source>
        <translation>the output file “%1” is the measured spectrum itself: it would be lost</translation>
    </message>
    <message>
        <source>el archivo de salida «%1» es la propia lista de bandas de --from: se perdería</source>
        <translation>the output file “%1” is the band list of --from itself: it would be lost</translation>
    </message>
</context>
<context>
    <name>PeaksCommand</name>
    <message>
        <source>%1 debe ser %2, no «%3»</source>
        <translation>%1 must be %2, not “%3”</translation>
    </message>
    <message>
        <source>un entero de %1 a %2</source>
        <translation>a whole number from %1 to %2</translation>
    </message>
    <message>
        <source>un número impar de puntos de %1 a %2</source>
        <translation>an odd number of points from %1 to %2</translation>
    </message>
    <message>
        <source>--smooth debe ser un número impar de puntos, no «%1»</source>
        <translation>--smooth must be an odd number of points, not “%1”</translation>
    </message>
    <message>
        <source>--smooth debe tener más puntos que el orden del suavizado (%1)</source>
        <translation>--smooth must have more points than the order of the smoothing (%1)</translation>
    </message>
    <message>
        <source>--min-prominence debe ser un porcentaje de 0 a 100, no «%1»</source>
        <translation>--min-prominence must be a percentage from 0 to 100, not “%1”</translation>
    </message>
    <message>
        <source>--distance debe ser un número de 0 en adelante, no «%1»</source>
        <translation>--distance must be a number of 0 or more, not “%1”</translation>
    </message>
    <message>
        <source>%1 banda</source>
        <translation>%1 band</translation>
    </message>
    <message>
        <source>%1 bandas</source>
        <translation>%1 bands</translation>
    </message>
    <message>
        <source> entre %1 y %2 (%3 puntos); suavizado: ventana de %4 puntos, orden %5; prominencia mínima %6 % (%7); separación mínima %8</source>
        <translation> between %1 and %2 (%3 points); smoothing: window of %4 points, order %5; minimum prominence %6 % (%7); minimum separation %8</translation>
    </message>
    <message>
        <source>; con hombros</source>
        <translation>; with shoulders</translation>
    </message>
    <message>
        <source>--yfactor debe ser un número distinto de 0</source>
        <translation>--yfactor must be a number other than 0</translation>
    </message>
    <message>
        <source>falta el documento de salida de -o</source>
        <translation>-o needs the name of the output document</translation>
    </message>
    <message>
        <source>no se encontró ninguna banda en %1: hay menos de cinco puntos en el intervalo de x. No se ha escrito nada.
</source>
        <translation>no band found in %1: there are fewer than five points in the x range. Nothing has been written.
</translation>
    </message>
    <message>
        <source>no se encontró ninguna banda en %1 con esas opciones; pruebe con una prominencia mínima menor (--min-prominence). No se ha escrito nada.
</source>
        <translation>no band found in %1 with those options; try a lower minimum prominence (--min-prominence). Nothing has been written.
</translation>
    </message>
    <message>
        <source> No se ha escrito nada.
</source>
        <translation> Nothing has been written.
</translation>
    </message>
</context>
<context>
    <name>ShowCommand</name>
    <message>
        <source>Espectro medido: %1 (%2 puntos, x de %3 a %4)
</source>
        <translation>Measured spectrum: %1 (%2 points, x from %3 to %4)
</translation>
    </message>
    <message>
        <source>no declaradas</source>
        <translation>not declared</translation>
    </message>
    <message>
        <source>«%1»</source>
        <translation>“%1”</translation>
    </message>
    <message>
        <source>Unidades del archivo: x %1, y %2
</source>
        <translation>Units of the file: x %1, y %2
</translation>
    </message>
    <message>
        <source>Transformación: %1</source>
        <translation>Transformation: %1</translation>
    </message>
    <message>
        <source>; unidades tras ella: x %1, y %2</source>
        <translation>; units after it: x %1, y %2</translation>
    </message>
    <message>
        <source>Factor de y: %1
</source>
        <translation>y factor: %1
</translation>
    </message>
    <message>
        <source>Ajuste guardado: ninguno
</source>
        <translation>Stored fit: none
</translation>
    </message>
    <message>
        <source>Línea base:</source>
        <translation>Baseline:</translation>
    </message>
    <message>
        <source>Títulos de los ejes: «%1», «%2»
</source>
        <translation>Axis titles: “%1”, “%2”
</translation>
    </message>
    <message>
        <source> (deja fuera %1)</source>
        <translation> (leaves out %1)</translation>
    </message>
    <message>
        <source>%1 punto</source>
        <translation>%1 point</translation>
    </message>
    <message>
        <source>%1 puntos</source>
        <translation>%1 points</translation>
    </message>
    <message>
        <source>Ajuste guardado: x de %1 a %2, %3, R² %4, %5. Parada: %6
</source>
        <translation>Stored fit: x from %1 to %2, %3, R² %4, %5. Stopped: %6
</translation>
    </message>
    <message>
        <source>%1 banda</source>
        <translation>%1 band</translation>
    </message>
    <message>
        <source>%1 bandas</source>
        <translation>%1 bands</translation>
    </message>
    <message>
        <source>%1 iteración</source>
        <translation>%1 iteration</translation>
    </message>
    <message>
        <source>%1 iteraciones</source>
        <translation>%1 iterations</translation>
    </message>
    <message>
        <source>Veredicto: %1
</source>
        <translation>Verdict: %1
</translation>
    </message>
    <message>
        <source>Regiones de ajuste: %1
</source>
        <translation>Fit regions: %1
</translation>
    </message>
    <message>
        <source>Región %1: x de %2 a %3, sin ajustar
</source>
        <translation>Region %1: x from %2 to %3, not fitted
</translation>
    </message>
    <message>
        <source>Región %1: </source>
        <translation>Region %1: </translation>
    </message>
    <message>
        <source>x de %1 a %2, %3, R² %4, %5. Parada: %6
</source>
        <translation>x from %1 to %2, %3, R² %4, %5. Stopped: %6
</translation>
    </message>
    <message>
        <source>Comparación con el cálculo: x de %1 a %2, escala %3, desplazamiento %4, anchura %5, factor %6, r %7, coseno %8; %9 bandas calculadas con pareja
</source>
        <translation>Comparison with the calculation: x from %1 to %2, scale %3, shift %4, width %5, factor %6, r %7, cosine %8; %9 computed bands with a partner
</translation>
    </message>
    <message>
        <source>Veredicto de la comparación: %1
</source>
        <translation>Verdict of the comparison: %1
</translation>
    </message>
</context>
<context>
    <name>SpectrumCommand</name>
    <message>
        <source>el archivo de -o debe terminar en .txt, .csv o .jdx, no «%1»</source>
        <translation>the file of -o must end in .txt, .csv or .jdx, not “%1”</translation>
    </message>
    <message>
        <source>--comma no sirve con JCAMP-DX, cuyos números llevan punto decimal</source>
        <translation>--comma does not apply to JCAMP-DX, whose numbers have a decimal point</translation>
    </message>
    <message>
        <source>No se escribió nada: entre --xmin y --xmax quedan %1 puntos de %2, y hacen falta al menos dos.</source>
        <translation>Nothing was written: between --xmin and --xmax %1 points of %2 are left, and at least two are needed.</translation>
    </message>
    <message>
        <source>No se escribió nada: %1.</source>
        <translation>Nothing was written: %1.</translation>
    </message>
    <message>
        <source>--list no se combina con %1</source>
        <translation>--list does not go with %1</translation>
    </message>
</context>
</TS>
