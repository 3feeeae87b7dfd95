<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="es">
<context>
    <name>CompareDialog</name>
    <message>
        <source>fijo</source>
        <translation>held</translation>
    </message>
    <message>
        <source>Comparar con el espectro medido</source>
        <translation>Compare with measured spectrum</translation>
    </message>
    <message>
        <source>Las bandas de la tabla, tomadas como calculadas, sobre el espectro medido: a·ν + b, una anchura y un factor de intensidad para todas.</source>
        <translation>The bands of the table, taken as computed, over the measured spectrum: a·ν + b, one width and one intensity factor for all.</translation>
    </message>
    <message>
        <source>&amp;hasta</source>
        <translation>&amp;to</translation>
    </message>
    <message>
        <source>&amp;Desde:</source>
        <translation>Fro&amp;m:</translation>
    </message>
    <message>
        <source>Ninguna</source>
        <translation>None</translation>
    </message>
    <message>
        <source>Constante</source>
        <translation>Constant</translation>
    </message>
    <message>
        <source>Recta</source>
        <translation>Linear</translation>
    </message>
    <message>
        <source>Parábola</source>
        <translation>Quadratic</translation>
    </message>
    <message>
        <source>Cúbica</source>
        <translation>Cubic</translation>
    </message>
    <message>
        <source>&amp;Línea base:</source>
        <translation>&amp;Baseline:</translation>
    </message>
    <message>
        <source>Ajustar un de&amp;splazamiento b</source>
        <translation>Fit a &amp;shift b</translation>
    </message>
    <message>
        <source>Ajustar la an&amp;chura</source>
        <translation>Fit the &amp;width</translation>
    </message>
    <message>
        <source>Ajustar la &amp;fracción lorentziana</source>
        <translation>Fit the &amp;Lorentzian share</translation>
    </message>
    <message>
        <source>C&amp;omparar</source>
        <translation>C&amp;ompare</translation>
    </message>
    <message>
        <source>Banda</source>
        <translation>Band</translation>
    </message>
    <message>
        <source>Calculada</source>
        <translation>Computed</translation>
    </message>
    <message>
        <source>Escalada</source>
        <translation>Scaled</translation>
    </message>
    <message>
        <source>Intensidad</source>
        <translation>Intensity</translation>
    </message>
    <message>
        <source>Medida</source>
        <translation>Measured</translation>
    </message>
    <message>
        <source>Desviación</source>
        <translation>Deviation</translation>
    </message>
    <message>
        <source>Desviación (%)</source>
        <translation>Deviation (%)</translation>
    </message>
    <message>
        <source>Escala propia</source>
        <translation>Own scale</translation>
    </message>
    <message>
        <source>Exportar &amp;informe...</source>
        <translation>Export &amp;report...</translation>
    </message>
    <message>
        <source>Exportar asi&amp;gnación...</source>
        <translation>Export assi&amp;gnment...</translation>
    </message>
    <message>
        <source>A&amp;plicar</source>
        <translation>&amp;Apply</translation>
    </message>
    <message>
        <source>Cancelar</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>«%1» no es un número.</source>
        <translation>&quot;%1&quot; is not a number.</translation>
    </message>
    <message>
        <source>El intervalo de x está vacío: «Desde» debe ser menor que «hasta».</source>
        <translation>The x range is empty: “From” must be less than “to”.</translation>
    </message>
    <message>
        <source>No hay comparación: %1.</source>
        <translation>No comparison: %1.</translation>
    </message>
    <message>
        <source>Elija el intervalo y los valores que varían, y pulse «Comparar».</source>
        <translation>Choose the range and the values that vary, and press “Compare”.</translation>
    </message>
    <message>
        <source>Escala a = %1; desplazamiento b = %2; anchura w = %3; factor k = %4.</source>
        <translation>Scale a = %1; shift b = %2; width w = %3; factor k = %4.</translation>
    </message>
    <message>
        <source>Fracción lorentziana %1.</source>
        <translation>Lorentzian share %1.</translation>
    </message>
    <message>
        <source>R² %1, r de Pearson %2, coseno %3.</source>
        <translation>R² %1, Pearson&apos;s r %2, cosine %3.</translation>
    </message>
    <message>
        <source>Exportar informe de la comparación</source>
        <translation>Export comparison report</translation>
    </message>
    <message>
        <source>Exportar asignación</source>
        <translation>Export assignment</translation>
    </message>
    <message>
        <source>comparacion.txt</source>
        <translation>comparison.txt</translation>
    </message>
    <message>
        <source>asignacion.csv</source>
        <translation>assignment.csv</translation>
    </message>
    <message>
        <source>No se puede exportar «%1»: el nombre debe acabar en .txt o .csv.</source>
        <translation>Cannot export “%1”: the name must end in .txt or .csv.</translation>
    </message>
    <message>
        <source>No se puede exportar «%1»: el nombre debe acabar en .csv.</source>
        <translation>Cannot export “%1”: the name must end in .csv.</translation>
    </message>
    <message>
        <source>Aplicar la comparación con el espectro medido</source>
        <translation>Apply the comparison with the measured spectrum</translation>
    </message>
</context>
<context>
    <name>FitDialog</name>
    <message>
        <source>Ajustar al espectro medido</source>
        <translation>Fit to measured spectrum</translation>
    </message>
    <message>
        <source>Ajustando… iteración %1, suma de cuadrados %2</source>
        <translation>Fitting… iteration %1, sum of squares %2</translation>
    </message>
    <message>
        <source>Intervalo de x</source>
        <translation>x range</translation>
    </message>
    <message>
        <source>&amp;Desde:</source>
        <translation>Fro&amp;m:</translation>
    </message>
    <message>
        <source>&amp;hasta:</source>
        <translation>&amp;to:</translation>
    </message>
    <message>
        <source>Bandas que varían</source>
        <translation>Bands that vary</translation>
    </message>
    <message>
        <source>Máximo</source>
        <translation>Position</translation>
    </message>
    <message>
        <source>Intensidad</source>
        <translation>Intensity</translation>
    </message>
    <message>
        <source>Anchura</source>
        <translation>Width</translation>
    </message>
    <message>
        <source>P&amp;osición</source>
        <translation>&amp;Position</translation>
    </message>
    <message>
        <source>&amp;Intensidad</source>
        <translation>&amp;Intensity</translation>
    </message>
    <message>
        <source>Anch&amp;ura</source>
        <translation>&amp;Width</translation>
    </message>
    <message>
        <source>Valores que varían:</source>
        <translation>Values that vary:</translation>
    </message>
    <message>
        <source>Ninguna</source>
        <translation>None</translation>
    </message>
    <message>
        <source>Constante</source>
        <translation>Constant</translation>
    </message>
    <message>
        <source>Recta</source>
        <translation>Linear</translation>
    </message>
    <message>
        <source>Parábola</source>
        <translation>Quadratic</translation>
    </message>
    <message>
        <source>Cúbica</source>
        <translation>Cubic</translation>
    </message>
    <message>
        <source>&amp;Línea base:</source>
        <translation>&amp;Baseline:</translation>
    </message>
    <message>
        <source>Permitir intensidades &amp;negativas</source>
        <translation>Allow &amp;negative intensities</translation>
    </message>
    <message>
        <source>&amp;Ajustar</source>
        <translation>&amp;Fit</translation>
    </message>
    <message>
        <source>De&amp;tener</source>
        <translation>&amp;Stop</translation>
    </message>
    <message>
        <source>Área</source>
        <translation>Area</translation>
    </message>
    <message>
        <source>&amp;Copiar</source>
        <translation>&amp;Copy</translation>
    </message>
    <message>
        <source>E&amp;xportar resultado del ajuste...</source>
        <translation>E&amp;xport fit result...</translation>
    </message>
    <message>
        <source>Exportar cur&amp;vas del ajuste...</source>
        <translation>Export fit c&amp;urves...</translation>
    </message>
    <message>
        <source>A&amp;plicar</source>
        <translation>&amp;Apply</translation>
    </message>
    <message>
        <source>Cancelar</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>«%1» no es un número.</source>
        <translation>“%1” is not a number.</translation>
    </message>
    <message>
        <source>El intervalo de x está vacío: «Desde» debe ser menor que «hasta».</source>
        <translation>The x range is empty: “From” must be less than “to”.</translation>
    </message>
    <message>
        <source>Ajustando…</source>
        <translation>Fitting…</translation>
    </message>
    <message>
        <source>Ajuste detenido: la tabla no cambia.</source>
        <translation>Fit stopped: the table is unchanged.</translation>
    </message>
    <message>
        <source>Ajuste terminado en %1 iteraciones.</source>
        <translation>Fit finished after %1 iterations.</translation>
    </message>
    <message>
        <source>ninguna</source>
        <translation>none</translation>
    </message>
    <message>
        <source>Línea base: %1
%2
Suma de cuadrados: %3    Puntos: %4    Valores libres: %5    Iteraciones: %6
Parada: %7</source>
        <translation>Baseline: %1
%2
Sum of squares: %3    Points: %4    Free values: %5    Iterations: %6
Stopped: %7</translation>
    </message>
    <message>
        <source>Veredicto: %1</source>
        <translation>Verdict: %1</translation>
    </message>
    <message>
        <source>La tabla no tiene bandas que ajustar. Introduzca o importe primero las bandas de partida.</source>
        <translation>The table has no bands to fit. Enter or import the starting bands first.</translation>
    </message>
    <message>
        <source>La banda %1 terminó el ajuste sin señal (sin altura, o con la altura en su límite).

¿Quitar 1 banda sin señal al aplicar el ajuste?</source>
        <translation>Band %1 ended the fit without signal (no height, or its height on its bound).

Remove 1 band without signal when applying the fit?</translation>
    </message>
    <message>
        <source>Las bandas %1 terminaron el ajuste sin señal (sin altura, o con la altura en su límite).

¿Quitar %2 bandas sin señal al aplicar el ajuste?</source>
        <translation>Bands %1 ended the fit without signal (no height, or their height on its bound).

Remove %2 bands without signal when applying the fit?</translation>
    </message>
    <message>
        <source>&amp;Fracción lorentziana</source>
        <translation>Lorentzian &amp;share</translation>
    </message>
    <message>
        <source>La de cada banda</source>
        <translation>Each band&apos;s own</translation>
    </message>
    <message>
        <source>Gaussiana</source>
        <translation>Gaussian</translation>
    </message>
    <message>
        <source>Lorentziana</source>
        <translation>Lorentzian</translation>
    </message>
    <message>
        <source>Pseudo-Voigt</source>
        <translation>Pseudo-Voigt</translation>
    </message>
    <message>
        <source>Voigt</source>
        <translation>Voigt</translation>
    </message>
    <message>
        <source>&amp;Forma de las bandas:</source>
        <translation>Band &amp;shape:</translation>
    </message>
    <message>
        <source>Fracción</source>
        <translation>Share</translation>
    </message>
    <message>
        <source>Añadir banda en el &amp;residuo</source>
        <translation>Add band in the &amp;residual</translation>
    </message>
    <message>
        <source>Regiones de ajuste</source>
        <translation>Fit regions</translation>
    </message>
    <message>
        <source>Intervalo</source>
        <translation>Range</translation>
    </message>
    <message>
        <source>Bandas</source>
        <translation>Bands</translation>
    </message>
    <message>
        <source>Veredicto</source>
        <translation>Verdict</translation>
    </message>
    <message>
        <source>Añadir r&amp;egión</source>
        <translation>Add r&amp;egion</translation>
    </message>
    <message>
        <source>&amp;Quitar región</source>
        <translation>Remo&amp;ve region</translation>
    </message>
    <message>
        <source>Ajustar toda&amp;s</source>
        <translation>Fit a&amp;ll</translation>
    </message>
    <message>
        <source>%1 a %2</source>
        <translation>%1 to %2</translation>
    </message>
    <message>
        <source>sin ajustar</source>
        <translation>not fitted</translation>
    </message>
    <message>
        <source>El gráfico no muestra un intervalo de x del que hacer una región.</source>
        <translation>The plot shows no x range to make a region of.</translation>
    </message>
    <message>
        <source>Región de %1 a %2: %3</source>
        <translation>Region from %1 to %2: %3</translation>
    </message>
    <message>
        <source>Ajustadas %1 regiones; se muestra la de %2 a %3.</source>
        <translation>%1 regions fitted; the one from %2 to %3 is shown.</translation>
    </message>
    <message>
        <source>Añadir región de ajuste</source>
        <translation>Add fit region</translation>
    </message>
    <message>
        <source>Quitar región de ajuste</source>
        <translation>Remove fit region</translation>
    </message>
</context>
<context>
    <name>MeasuredCommands</name>
    <message>
        <source>Espectros medidos</source>
        <translation>Measured spectra</translation>
    </message>
    <message>
        <source>Texto x-y y CSV</source>
        <translation>x-y text and CSV</translation>
    </message>
    <message>
        <source>Superponer espectro medido</source>
        <translation>Overlay measured spectrum</translation>
    </message>
    <message>
        <source>Sigue superpuesto el espectro medido «%1».</source>
        <translation>The measured spectrum “%1” is still overlaid.</translation>
    </message>
    <message>
        <source>%1 declara sus ordenadas en %2.

¿Desea convertirlas a absorbancia (%3) para dibujarlas y ajustarlas? Las bandas de absorbancia se suman; las de transmitancia no. Puede cambiarlo en las opciones del espectro medido.</source>
        <translation>%1 gives its y values as %2.

Do you want to convert them to absorbance (%3) for drawing and fitting? Absorbance bands add up; transmittance bands do not. You can change this in the measured spectrum options.</translation>
    </message>
    <message>
        <source>transmitancia en porcentaje</source>
        <translation>percent transmittance</translation>
    </message>
    <message>
        <source>transmitancia (0 a 1)</source>
        <translation>transmittance (0 to 1)</translation>
    </message>
    <message>
        <source>tiene más puntos de los que caben en la memoria</source>
        <translation>has more points than fit in memory</translation>
    </message>
    <message>
        <source>Leyendo %1…</source>
        <translation>Reading %1…</translation>
    </message>
    <message>
        <source>Cancelar</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>No hay ningún espectro medido superpuesto. Cárguelo con &quot;Superponer espectro medido&quot;.</source>
        <translation>No measured spectrum is overlaid. Load one with &quot;Overlay measured spectrum&quot;.</translation>
    </message>
    <message>
        <source>Factor de y</source>
        <translation>y factor</translation>
    </message>
    <message>
        <source>Transformar el espectro</source>
        <translation>Transform the spectrum</translation>
    </message>
    <message>
        <source>Quitar espectro medido</source>
        <translation>Remove measured spectrum</translation>
    </message>
    <message>
        <source>La última vez que se usó este documento se superpuso el espectro medido %1.

¿Desea cargarlo en el documento? Se guardará con él.</source>
        <translation>The last time this document was used, the measured spectrum %1 was overlaid on it.

Do you want to load it into the document? It will be saved with it.</translation>
    </message>
    <message>
        <source>%1 contiene %2 espectros; se muestra solo el primer espectro. Para ver otro, cárguelo con «Superponer espectro medido», que los lista.</source>
        <translation>%1 holds %2 spectra; only the first spectrum is shown. To see another, load it with “Overlay measured spectrum”, which lists them.</translation>
    </message>
    <message>
        <source>%1: el cambio de unidades deja fuera %2 de sus %3 puntos, donde no está definido (%4 por x, %5 por y).</source>
        <translation>%1: the change of units leaves out %2 of its %3 points, where it is not defined (%4 by x, %5 by y).</translation>
    </message>
</context>
<context>
    <name>Menu</name>
    <message>
        <source>&amp;Gráfico</source>
        <translation>&amp;Graph</translation>
    </message>
    <message>
        <source>Superponer espectro &amp;medido...</source>
        <translation>Overlay &amp;measured spectrum...</translation>
    </message>
    <message>
        <source>&amp;Opciones del espectro medido...</source>
        <translation>Measured spectrum &amp;options...</translation>
    </message>
    <message>
        <source>A&amp;justar al espectro medido...</source>
        <translation>F&amp;it to measured spectrum...</translation>
    </message>
    <message>
        <source>&amp;Buscar bandas...</source>
        <translation>&amp;Find bands...</translation>
    </message>
    <message>
        <source>Com&amp;parar con el espectro medido...</source>
        <translation>Comp&amp;are with measured spectrum...</translation>
    </message>
</context>
<context>
    <name>PeakSearchDialog</name>
    <message>
        <source>Buscar bandas</source>
        <translation>Find bands</translation>
    </message>
    <message>
        <source>Bandas del espectro medido entre %1 y %2.</source>
        <translation>Bands of the measured spectrum between %1 and %2.</translation>
    </message>
    <message>
        <source>Suavizado de Savitzky-Golay</source>
        <translation>Savitzky-Golay smoothing</translation>
    </message>
    <message>
        <source>según los datos</source>
        <translation>from the data</translation>
    </message>
    <message>
        <source> puntos</source>
        <translation> points</translation>
    </message>
    <message>
        <source>&amp;Ventana:</source>
        <translation>&amp;Window:</translation>
    </message>
    <message>
        <source>&amp;Orden:</source>
        <translation>&amp;Order:</translation>
    </message>
    <message>
        <source>Lo que un máximo sobresale de la más alta de las dos partes más bajas que lo separan de un punto más alto, en % del intervalo de los datos.</source>
        <translation>How far a maximum rises above the higher of the two lowest points that separate it from a higher point, in % of the range of the data.</translation>
    </message>
    <message>
        <source>&amp;Prominencia mínima:</source>
        <translation>Minimum &amp;prominence:</translation>
    </message>
    <message>
        <source>&amp;Separación mínima:</source>
        <translation>Minimum &amp;separation:</translation>
    </message>
    <message>
        <source>Incluir &amp;hombros</source>
        <translation>Include s&amp;houlders</translation>
    </message>
    <message>
        <source>Posición</source>
        <translation>Position</translation>
    </message>
    <message>
        <source>Intensidad</source>
        <translation>Intensity</translation>
    </message>
    <message>
        <source>Anchura</source>
        <translation>Width</translation>
    </message>
    <message>
        <source>Prominencia</source>
        <translation>Prominence</translation>
    </message>
    <message>
        <source>Clase</source>
        <translation>Kind</translation>
    </message>
    <message>
        <source>&amp;Añadir</source>
        <translation>&amp;Add</translation>
    </message>
    <message>
        <source>&amp;Reemplazar la tabla</source>
        <translation>&amp;Replace the table</translation>
    </message>
    <message>
        <source>Cancelar</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>La separación mínima no es un número; déjela vacía para que la den los datos.</source>
        <translation>The minimum separation is not a number; leave it empty for the data to set it.</translation>
    </message>
    <message>
        <source>hombro</source>
        <translation>shoulder</translation>
    </message>
    <message>
        <source>máximo</source>
        <translation>maximum</translation>
    </message>
    <message>
        <source>Hay %1 puntos medidos en el intervalo: hacen falta al menos cinco para buscar bandas.</source>
        <translation>There are %1 measured points in the range: finding bands needs at least five.</translation>
    </message>
    <message>
        <source>Ninguna banda</source>
        <translation>No bands</translation>
    </message>
    <message>
        <source>1 banda</source>
        <translation>1 band</translation>
    </message>
    <message>
        <source>%1 bandas</source>
        <translation>%1 bands</translation>
    </message>
    <message>
        <source>%1 en %2 puntos. Ventana de %3 puntos, orden %4; prominencia mínima %5; separación mínima %6.</source>
        <translation>%1 in %2 points. Window of %3 points, order %4; minimum prominence %5; minimum separation %6.</translation>
    </message>
    <message>
        <source>La tabla tiene sitio para %1: «Añadir» pone las más intensas.</source>
        <translation>The table has room for %1: “Add” puts in the strongest.</translation>
    </message>
    <message>
        <source>Reemplazar la tabla por las bandas encontradas</source>
        <translation>Replace the table with the bands found</translation>
    </message>
    <message>
        <source>Añadir las bandas encontradas</source>
        <translation>Add the bands found</translation>
    </message>
</context>
<context>
    <name>PictureSizeDialog</name>
    <message>
        <source>Tamaño de la imagen</source>
        <translation>Picture size</translation>
    </message>
    <message>
        <source>centímetros</source>
        <translation>centimetres</translation>
    </message>
    <message>
        <source>pulgadas</source>
        <translation>inches</translation>
    </message>
    <message>
        <source>píxeles</source>
        <translation>pixels</translation>
    </message>
    <message>
        <source> ppp</source>
        <translation> dpi</translation>
    </message>
    <message>
        <source>Sombrear las bandas a&amp;justadas</source>
        <translation>Shade the &amp;fitted bands</translation>
    </message>
    <message>
        <source>&amp;Unidades:</source>
        <translation>&amp;Units:</translation>
    </message>
    <message>
        <source>&amp;Ancho:</source>
        <translation>&amp;Width:</translation>
    </message>
    <message>
        <source>A&amp;lto:</source>
        <translation>&amp;Height:</translation>
    </message>
    <message>
        <source>&amp;Resolución:</source>
        <translation>&amp;Resolution:</translation>
    </message>
    <message>
        <source>Píxeles del PNG:</source>
        <translation>PNG pixels:</translation>
    </message>
</context>
<context>
    <name>PlotFigure</name>
    <message>
        <source>+ %1 más</source>
        <translation>+ %1 more</translation>
    </message>
    <message>
        <source>Los límites de x son iguales: no hay curvas que dibujar.</source>
        <translation>The x limits are equal: there are no curves to draw.</translation>
    </message>
    <message>
        <source>Línea base del ajuste</source>
        <translation>Fit baseline</translation>
    </message>
    <message>
        <source>Ajuste</source>
        <translation>Fit</translation>
    </message>
    <message>
        <source>Bandas ajustadas</source>
        <translation>Fitted bands</translation>
    </message>
    <message>
        <source>Residuo</source>
        <translation>Residual</translation>
    </message>
    <message>
        <source>Suma</source>
        <translation>Sum</translation>
    </message>
    <message>
        <source>Línea base estimada</source>
        <translation>Estimated baseline</translation>
    </message>
    <message>
        <source>la resolución debe estar entre %1 y %2 puntos por pulgada</source>
        <translation>the resolution must be between %1 and %2 dots per inch</translation>
    </message>
    <message>
        <source>la imagen debe tener entre %1 y %2 píxeles por lado a esa resolución</source>
        <translation>the picture must be between %1 and %2 pixels a side at that resolution</translation>
    </message>
    <message>
        <source>un eje no puede mostrar de %1 a %2: sus límites deben estar entre -1e250 y 1e250 y no tan juntos que no se distingan</source>
        <translation>an axis cannot show from %1 to %2: its limits must lie between -1e250 and 1e250 and not so close together that they cannot be told apart</translation>
    </message>
    <message>
        <source>no queda memoria suficiente para dibujar la imagen a ese tamaño; no se ha escrito nada</source>
        <translation>there is not enough memory left to draw the picture at that size; nothing has been written</translation>
    </message>
    <message>
        <source>Cálculo escalado (a = %1)</source>
        <translation>Scaled calculation (a = %1)</translation>
    </message>
</context>
<context>
    <name>PlotWindow</name>
    <message>
        <source>Gráfico ampliado - Trazel</source>
        <translation>Enlarged graph - Trazel</translation>
    </message>
    <message>
        <source>E&amp;xportar resultado del ajuste...</source>
        <translation>E&amp;xport fit result...</translation>
    </message>
    <message>
        <source>Exportar c&amp;urvas del ajuste...</source>
        <translation>Export fit c&amp;urves...</translation>
    </message>
    <message>
        <source>&amp;Exportar imagen...</source>
        <translation>&amp;Export image...</translation>
    </message>
    <message>
        <source>&amp;Copiar imagen</source>
        <translation>&amp;Copy image</translation>
    </message>
    <message>
        <source>Copiar &amp;límites al formulario</source>
        <translation>Copy &amp;limits to the form</translation>
    </message>
    <message>
        <source>&amp;Vista del formulario</source>
        <translation>Form &amp;view</translation>
    </message>
    <message>
        <source>Ajustar la vista a los &amp;datos</source>
        <translation>Fit view to the &amp;data</translation>
    </message>
    <message>
        <source>Eje x i&amp;nvertido</source>
        <translation>&amp;Reversed x axis</translation>
    </message>
    <message>
        <source>&amp;Títulos de los ejes...</source>
        <translation>Axis &amp;titles...</translation>
    </message>
    <message>
        <source>Ce&amp;rrar</source>
        <translation>Clo&amp;se</translation>
    </message>
    <message>
        <source>Exportar imagen</source>
        <translation>Export image</translation>
    </message>
    <message>
        <source>No se puede exportar «%1»: el nombre debe acabar en .png, .svg o .pdf.</source>
        <translation>Cannot export “%1”: the name must end in .png, .svg or .pdf.</translation>
    </message>
    <message>
        <source>Títulos de los ejes</source>
        <translation>Axis titles</translation>
    </message>
    <message>
        <source>Eje &amp;x:</source>
        <translation>&amp;x axis:</translation>
    </message>
    <message>
        <source>Eje &amp;y:</source>
        <translation>&amp;y axis:</translation>
    </message>
    <message>
        <source>Límite&amp;s...</source>
        <translation>Limit&amp;s...</translation>
    </message>
    <message>
        <source>Límites del gráfico</source>
        <translation>Plot limits</translation>
    </message>
    <message>
        <source>&amp;x desde:</source>
        <translation>&amp;x from:</translation>
    </message>
    <message>
        <source>x &amp;hasta:</source>
        <translation>x &amp;to:</translation>
    </message>
    <message>
        <source>y &amp;desde:</source>
        <translation>y fro&amp;m:</translation>
    </message>
    <message>
        <source>y h&amp;asta:</source>
        <translation>y t&amp;o:</translation>
    </message>
    <message>
        <source>y a&amp;utomático</source>
        <translation>y a&amp;utomatic</translation>
    </message>
    <message>
        <source>«%1» no es un número.</source>
        <translation>&quot;%1&quot; is not a number.</translation>
    </message>
    <message>
        <source>Los límites de %1 deben ser distintos.</source>
        <translation>The limits of %1 must differ.</translation>
    </message>
    <message>
        <source>Falta un número en «%1».</source>
        <translation>A number is missing in &quot;%1&quot;.</translation>
    </message>
</context>
</TS>
