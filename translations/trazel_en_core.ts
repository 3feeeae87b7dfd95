<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="es">
<context>
    <name>AlsBaseline</name>
    <message>
        <source>λ de la línea base por mínimos cuadrados asimétricos debe ser un número mayor que 0, no %1</source>
        <translation>λ of the asymmetric least squares baseline must be a number greater than 0, not %1</translation>
    </message>
    <message>
        <source>p de la línea base por mínimos cuadrados asimétricos debe estar entre 0 y 1 (sin llegar a ninguno), no %1</source>
        <translation>p of the asymmetric least squares baseline must lie between 0 and 1 (excluding both), not %1</translation>
    </message>
    <message>
        <source>λ = %1 no sirve para %2 puntos: la línea base por mínimos cuadrados asimétricos solo depende de λ entre %3 y %4 (fuera de ese intervalo es, en la práctica, los propios datos o una recta); para %2 puntos se aconseja λ entre %5 y %6</source>
        <translation>λ = %1 is of no use for %2 points: the asymmetric least squares baseline depends on λ only between %3 and %4 (outside that range it is, in practice, the data themselves or a straight line); for %2 points λ between %5 and %6 is advised</translation>
    </message>
</context>
<context>
    <name>Analysis</name>
    <message>
        <source>la región %1 (x de %2 a %3)</source>
        <translation>region %1 (x from %2 to %3)</translation>
    </message>
    <message>
        <source>El intervalo de %1 a %2 se solapa con %3: las regiones de ajuste no pueden solaparse.</source>
        <translation>The range from %1 to %2 overlaps %3: fit regions cannot overlap.</translation>
    </message>
</context>
<context>
    <name>AnalysisFile</name>
    <message>
        <source>un valor guardado no es un número finito</source>
        <translation>a stored value is not a finite number</translation>
    </message>
    <message>
        <source>una banda guardada no está en la tabla</source>
        <translation>a stored band is not in the table</translation>
    </message>
    <message>
        <source>un límite guardado no es un número finito</source>
        <translation>a stored limit is not a finite number</translation>
    </message>
    <message>
        <source>la línea base guardada es de una clase desconocida</source>
        <translation>the stored baseline is of an unknown kind</translation>
    </message>
    <message>
        <source>hay más bandas fijas que bandas</source>
        <translation>there are more fixed bands than bands</translation>
    </message>
    <message>
        <source>la línea base del ajuste guardado no tiene los términos de su clase</source>
        <translation>the baseline of the stored fit does not have the terms of its kind</translation>
    </message>
    <message>
        <source>el ajuste guardado no tiene las bandas de su registro</source>
        <translation>the stored fit does not have the bands of its record</translation>
    </message>
    <message>
        <source>la tabla del ajuste sigue tras su final</source>
        <translation>the fit&apos;s table continues past its end</translation>
    </message>
    <message>
        <source>la tabla del ajuste guardado no es válida</source>
        <translation>the table of the stored fit is not valid</translation>
    </message>
    <message>
        <source>una columna guardada no es válida</source>
        <translation>a stored column is not valid</translation>
    </message>
    <message>
        <source>el cambio de x guardado es de una clase desconocida</source>
        <translation>the stored change of x is of an unknown kind</translation>
    </message>
    <message>
        <source>el cambio de y guardado es de una clase desconocida</source>
        <translation>the stored change of y is of an unknown kind</translation>
    </message>
    <message>
        <source>la línea del láser guardada no es positiva</source>
        <translation>the stored laser line is not positive</translation>
    </message>
    <message>
        <source>las unidades guardadas son de una clase desconocida</source>
        <translation>the stored units are of an unknown kind</translation>
    </message>
    <message>
        <source>los puntos medidos guardados no forman pares</source>
        <translation>the stored measured points do not form pairs</translation>
    </message>
    <message>
        <source>un punto medido guardado no es un número finito</source>
        <translation>a stored measured point is not a finite number</translation>
    </message>
    <message>
        <source>la forma de las bandas guardada no existe</source>
        <translation>the stored band shape does not exist</translation>
    </message>
    <message>
        <source>el ajuste guardado tiene demasiadas bandas</source>
        <translation>the stored fit has too many bands</translation>
    </message>
    <message>
        <source>las cuentas del ajuste guardado no son válidas</source>
        <translation>the counts of the stored fit are not valid</translation>
    </message>
    <message>
        <source>las opciones de la búsqueda de bandas no son válidas</source>
        <translation>the band search options are not valid</translation>
    </message>
    <message>
        <source>el espectro medido</source>
        <translation>the measured spectrum</translation>
    </message>
    <message>
        <source>la transformación del espectro</source>
        <translation>the spectrum&apos;s transform</translation>
    </message>
    <message>
        <source>las opciones del ajuste</source>
        <translation>the fit options</translation>
    </message>
    <message>
        <source>el último ajuste</source>
        <translation>the last fit</translation>
    </message>
    <message>
        <source>la línea base</source>
        <translation>the baseline</translation>
    </message>
    <message>
        <source>los títulos de los ejes</source>
        <translation>the axis titles</translation>
    </message>
    <message>
        <source>el cambio de x e y del espectro</source>
        <translation>the spectrum&apos;s change of x and y</translation>
    </message>
    <message>
        <source>las unidades del espectro</source>
        <translation>the spectrum&apos;s units</translation>
    </message>
    <message>
        <source>las opciones de la búsqueda de bandas</source>
        <translation>the band search options</translation>
    </message>
    <message>
        <source>la línea base del espectro</source>
        <translation>the spectrum&apos;s baseline</translation>
    </message>
    <message>
        <source>un registro</source>
        <translation>a record</translation>
    </message>
    <message>
        <source>λ o p no son válidos</source>
        <translation>λ or p is not valid</translation>
    </message>
    <message>
        <source>no hay ajuste al que añadirlo</source>
        <translation>there is no fit to add it to</translation>
    </message>
    <message>
        <source>sigue tras su final</source>
        <translation>it continues past its end</translation>
    </message>
    <message>
        <source>El documento guarda un análisis de una versión de Trazel más reciente, que esta no sabe leer: se abre solo la tabla, y el análisis se conserva tal cual al guardar mientras no cree uno nuevo.</source>
        <translation>The document holds an analysis from a newer version of Trazel, which this version cannot read: only the table is opened, and the analysis is kept as it is when saving unless you create a new one.</translation>
    </message>
    <message>
        <source>la línea base guardada no es un número finito</source>
        <translation>the stored baseline is not a finite number</translation>
    </message>
    <message>
        <source>No se pudo leer el análisis guardado en el documento: %1 Se abre solo la tabla; el análisis se guarda tal cual estaba mientras no se cree uno nuevo.</source>
        <translation>The analysis stored in the document could not be read: %1 Only the table is opened; the analysis is saved as it was as long as no new one is made.</translation>
    </message>
    <message>
        <source>No se pudo leer el análisis guardado en el documento: %1 no es válido: %2. Se abre solo la tabla; el análisis se guarda tal cual estaba mientras no se cree uno nuevo.</source>
        <translation>The analysis stored in the document could not be read: %1 is not valid: %2. Only the table is opened; the analysis is saved as it was as long as no new one is made.</translation>
    </message>
    <message>
        <source>aparece dos veces</source>
        <translation>it appears twice</translation>
    </message>
    <message>
        <source>deja menos de dos puntos del espectro</source>
        <translation>it leaves fewer than two points of the spectrum</translation>
    </message>
    <message>
        <source>la tabla a la que se refiere el ajuste</source>
        <translation>the table the fit refers to</translation>
    </message>
    <message>
        <source>La tabla del documento se cambió con otra versión de Trazel después del último ajuste: se abre sin ese ajuste ni las bandas fijadas, que ya no nombrarían las mismas bandas.</source>
        <translation>The document&apos;s table was changed with another version of Trazel after the last fit: it opens without that fit and without the held bands, which would no longer name the same bands.</translation>
    </message>
    <message>
        <source>el espectro elegido del archivo</source>
        <translation>the spectrum chosen of the file</translation>
    </message>
    <message>
        <source>el número del espectro elegido no es válido</source>
        <translation>the number of the chosen spectrum is not valid</translation>
    </message>
    <message>
        <source>la parada del último ajuste</source>
        <translation>why the last fit stopped</translation>
    </message>
    <message>
        <source>la vista del gráfico</source>
        <translation>the plot&apos;s view</translation>
    </message>
    <message>
        <source>los límites de la vista no son válidos</source>
        <translation>the limits of the view are not valid</translation>
    </message>
    <message>
        <source>las formas de las bandas</source>
        <translation>the shapes of the bands</translation>
    </message>
    <message>
        <source>la forma de una banda no es ninguna conocida</source>
        <translation>the shape of a band is none known</translation>
    </message>
    <message>
        <source>la fracción lorentziana no está entre 0 y 1</source>
        <translation>the Lorentzian share is not between 0 and 1</translation>
    </message>
    <message>
        <source>no tiene tantas bandas como la tabla</source>
        <translation>does not have as many bands as the table</translation>
    </message>
    <message>
        <source>no tiene tantas bandas como el último ajuste</source>
        <translation>does not have as many bands as the last fit</translation>
    </message>
    <message>
        <source>Sus bandas siguen la forma del documento: las formas propias guardadas eran de la tabla anterior.</source>
        <translation>Its bands follow the document&apos;s shape: the shapes of their own stored were those of the earlier table.</translation>
    </message>
    <message>
        <source>el ruido guardado no tiene un alcance válido</source>
        <translation>the stored noise does not have a valid span</translation>
    </message>
    <message>
        <source>el veredicto sobre el residuo del último ajuste</source>
        <translation>the verdict on the last fit&apos;s residual</translation>
    </message>
    <message>
        <source>las regiones de ajuste</source>
        <translation>the fit regions</translation>
    </message>
    <message>
        <source>tiene demasiadas regiones</source>
        <translation>it has too many regions</translation>
    </message>
    <message>
        <source>una región no tiene un intervalo válido o se solapa con otra</source>
        <translation>a region has no valid range or overlaps another</translation>
    </message>
    <message>
        <source>Otra versión de Trazel cambió el último ajuste del documento: se abre ese ajuste como su única región de ajuste, sin las regiones guardadas antes.</source>
        <translation>Another version of Trazel changed the document&apos;s last fit: that fit opens as its only fit region, without the regions saved before.</translation>
    </message>
    <message>
        <source>las opciones de la comparación con el cálculo</source>
        <translation>the options of the comparison with the calculation</translation>
    </message>
    <message>
        <source>la comparación con el cálculo</source>
        <translation>the comparison with the calculation</translation>
    </message>
    <message>
        <source>la forma de línea no es ninguna conocida</source>
        <translation>the line shape is none known</translation>
    </message>
    <message>
        <source>tiene opciones desconocidas</source>
        <translation>has unknown options</translation>
    </message>
    <message>
        <source>la línea base no es ninguna conocida</source>
        <translation>the baseline is none known</translation>
    </message>
    <message>
        <source>guarda un número de bandas imposible</source>
        <translation>holds an impossible number of bands</translation>
    </message>
    <message>
        <source>guarda una anchura o una fracción imposible</source>
        <translation>holds an impossible width or share</translation>
    </message>
</context>
<context>
    <name>Archive</name>
    <message>
        <source>No se puede escribir en un archivo abierto para lectura.</source>
        <translation>Cannot write to a file opened for reading.</translation>
    </message>
    <message>
        <source>No se pudo escribir el archivo.</source>
        <translation>Could not write the file.</translation>
    </message>
    <message>
        <source>No se puede leer de un archivo abierto para escritura.</source>
        <translation>Cannot read from a file opened for writing.</translation>
    </message>
    <message>
        <source>Error de lectura: el disco o el dispositivo no ha devuelto los datos.</source>
        <translation>Read error: the disk or device did not return the data.</translation>
    </message>
    <message>
        <source>El archivo termina antes de tiempo: está incompleto o dañado.</source>
        <translation>The file ends too early: it is incomplete or damaged.</translation>
    </message>
</context>
<context>
    <name>AtomicFile</name>
    <message>
        <source>No se ha indicado ningún archivo.</source>
        <translation>No file was given.</translation>
    </message>
    <message>
        <source>tiene %1 enlace(s) duro(s) más, y sustituirlo los separaría. Escriba en otro archivo</source>
        <translation>it has %1 more hard link(s), and replacing it would separate them. Write to another file</translation>
    </message>
</context>
<context>
    <name>BandFit</name>
    <message>
        <source>la banda de posición %1</source>
        <translation>the band at position %1</translation>
    </message>
    <message>
        <source>El espectro medido tiene distinto número de valores de x que de y.</source>
        <translation>The measured spectrum has a different number of x values and y values.</translation>
    </message>
    <message>
        <source>El factor de y debe ser un número distinto de 0.</source>
        <translation>The y factor must be a number other than 0.</translation>
    </message>
    <message>
        <source>El intervalo de x del ajuste está vacío: x mínimo (%1) es mayor que x máximo (%2).</source>
        <translation>The fit&apos;s x range is empty: minimum x (%1) is greater than maximum x (%2).</translation>
    </message>
    <message>
        <source>La tabla de máximos no es válida.</source>
        <translation>The peak table is not valid.</translation>
    </message>
    <message>
        <source>El número máximo de iteraciones debe ser al menos 1.</source>
        <translation>The maximum number of iterations must be at least 1.</translation>
    </message>
    <message>
        <source>Un valor de %1 no es un número finito.</source>
        <translation>A value of %1 is not a finite number.</translation>
    </message>
    <message>
        <source>La anchura de %1 debe ser mayor que 0 para ajustarla.</source>
        <translation>The width of %1 must be greater than 0 to fit it.</translation>
    </message>
    <message>
        <source>No hay ningún punto medido a menos de una anchura del centro de %1: los datos no pueden fijarla. Amplíe el intervalo de x o deje fijos sus valores.</source>
        <translation>There is no measured point within one width of the centre of %1: the data cannot determine it. Widen the x range or hold its values fixed.</translation>
    </message>
    <message>
        <source>Hay dos bandas iguales en la posición %1 (mismo centro y anchura): el ajuste no puede repartir la señal entre ellas. Quite una o deje fijos sus valores.</source>
        <translation>There are two identical bands at position %1 (same centre and width): the fit cannot share the signal between them. Remove one or hold its values fixed.</translation>
    </message>
    <message>
        <source>El problema es singular: los datos no bastan para separar unos valores de otros (dos bandas casi iguales, o una banda con muy pocos puntos debajo). Deje fijos algunos valores o quite bandas.</source>
        <translation>The problem is singular: the data are not enough to tell some values apart (two nearly identical bands, or a band with very few points under it). Hold some values fixed or remove bands.</translation>
    </message>
    <message>
        <source>El ajuste no converge en %1 iteraciones. Pruebe con valores de partida más cercanos al espectro, menos valores libres u otro intervalo de x.</source>
        <translation>The fit does not converge in %1 iterations. Try starting values closer to the spectrum, fewer free values or another x range.</translation>
    </message>
    <message>
        <source>La suma de cuadrados de los valores de y medidos, por el factor de y (%1), no es un número finito: son demasiado grandes. Redúzcalos con el factor de y.</source>
        <translation>The sum of squares of the measured y values, times the y factor (%1), is not a finite number: they are too large. Reduce them with the y factor.</translation>
    </message>
    <message>
        <source>La suma de cuadrados de los valores de y medidos no es un número finito: son demasiado grandes. Redúzcalos con el factor de y.</source>
        <translation>The sum of squares of the measured y values is not a finite number: they are too large. Reduce them with the y factor.</translation>
    </message>
    <message>
        <source>Todos los valores de y medidos entre %1 y %2 valen lo mismo (%3) salvo redondeos: no hay señal que ajustar y R² no está definido.</source>
        <translation>All measured y values between %1 and %2 are the same (%3) apart from rounding: there is no signal to fit and R² is undefined.</translation>
    </message>
    <message>
        <source>La suma de cuadrados de partida no es un número finito: las bandas de partida dan valores demasiado grandes.</source>
        <translation>The starting sum of squares is not a finite number: the starting bands give values that are too large.</translation>
    </message>
    <message>
        <source>la posición</source>
        <translation>the position</translation>
    </message>
    <message>
        <source>la intensidad</source>
        <translation>the intensity</translation>
    </message>
    <message>
        <source>la anchura</source>
        <translation>the width</translation>
    </message>
    <message>
        <source>el área</source>
        <translation>the area</translation>
    </message>
    <message>
        <source>El ajuste no da un resultado finito: %1 de %2 o su error no es un número finito.</source>
        <translation>The fit gives no finite result: %1 of %2 or its error is not a finite number.</translation>
    </message>
    <message>
        <source>El ajuste no da un resultado finito: la línea base o su error no es un número finito.</source>
        <translation>The fit gives no finite result: the baseline or its error is not a finite number.</translation>
    </message>
    <message>
        <source>El ajuste no da un resultado finito: la suma de cuadrados final no es un número finito.</source>
        <translation>The fit gives no finite result: the final sum of squares is not a finite number.</translation>
    </message>
    <message>
        <source>En %1 no hay señal: su intensidad (%2) no se distingue de 0 (error típico %3). Quite la banda, deje fija su intensidad o elija otro intervalo de x.</source>
        <translation>There is no signal in %1: its intensity (%2) cannot be told from 0 (standard error %3). Remove the band, hold its intensity fixed or choose another x range.</translation>
    </message>
    <message>
        <source>Los datos no fijan %1 de %2: su error típico (%3) es mayor que el intervalo de x ajustado (%4). Deje fijo ese valor o elija otro intervalo de x.</source>
        <translation>The data do not determine %1 of %2: its standard error (%3) is larger than the fitted x range (%4). Hold that value fixed or choose another x range.</translation>
    </message>
    <message>
        <source>No hay nada que ajustar: todos los valores de las bandas están fijos y no hay línea base.</source>
        <translation>There is nothing to fit: all band values are fixed and there is no baseline.</translation>
    </message>
    <message>
        <source>Hay %1 puntos medidos entre %2 y %3 y %4 valores libres: hacen falta más puntos que valores libres.</source>
        <translation>There are %1 measured points between %2 and %3 and %4 free values: more points than free values are needed.</translation>
    </message>
    <message>
        <source>ningún paso reduce la suma de cuadrados: ya estaba en el mínimo</source>
        <translation>no step reduces the sum of squares: it was already at the minimum</translation>
    </message>
    <message>
        <source>El ajuste se sale de los números representables: en la iteración %1 la suma de cuadrados no es un número finito.</source>
        <translation>The fit goes beyond the representable numbers: at iteration %1 the sum of squares is not a finite number.</translation>
    </message>
    <message>
        <source>Ajuste detenido: no se ha cambiado nada.</source>
        <translation>Fit stopped: nothing has been changed.</translation>
    </message>
    <message>
        <source>los valores ya no cambian (paso relativo menor que 1e-10)</source>
        <translation>the values no longer change (relative step below 1e-10)</translation>
    </message>
    <message>
        <source>el gradiente es prácticamente nulo</source>
        <translation>the gradient is practically zero</translation>
    </message>
    <message>
        <source>la suma de cuadrados ya no baja</source>
        <translation>the sum of squares no longer decreases</translation>
    </message>
    <message>
        <source>El ajuste no da un resultado finito: un valor de %1 no es un número finito.</source>
        <translation>The fit gives no finite result: a value of %1 is not a finite number.</translation>
    </message>
    <message>
        <source>El ajuste no da un resultado finito: un valor de la línea base no es un número finito.</source>
        <translation>The fit gives no finite result: a value of the baseline is not a finite number.</translation>
    </message>
    <message>
        <source>La suma de cuadrados del ajuste no es un número finito en las unidades de y, cuyos valores, por el factor de y (%1), llegan a %2: son demasiado grandes. Redúzcalos con el factor de y.</source>
        <translation>The fit&apos;s sum of squares is not a finite number in the units of y, whose values, times the y factor (%1), reach %2: they are too large. Reduce them with the y factor.</translation>
    </message>
    <message>
        <source>La suma de cuadrados del ajuste no es un número finito en las unidades de y, cuyos valores llegan a %1: son demasiado grandes. Redúzcalos con el factor de y.</source>
        <translation>The fit&apos;s sum of squares is not a finite number in the units of y, whose values reach %1: they are too large. Reduce them with the y factor.</translation>
    </message>
    <message>
        <source>No hay memoria suficiente para un ajuste de tantos puntos.</source>
        <translation>There is not enough memory for a fit to so many points.</translation>
    </message>
</context>
<context>
    <name>BandList</name>
    <message>
        <source>tiene un valor que no es un número finito</source>
        <translation>has a value that is not a finite number</translation>
    </message>
    <message>
        <source>tiene una anchura que no es mayor que 0</source>
        <translation>has a width that is not greater than 0</translation>
    </message>
    <message>
        <source>da una banda que no es un número finito</source>
        <translation>gives a band that is not a finite number</translation>
    </message>
    <message>
        <source>en la tabla no cabe ninguna más</source>
        <translation>the table has room for no more</translation>
    </message>
    <message>
        <source>en la tabla cabe 1</source>
        <translation>the table has room for 1</translation>
    </message>
    <message>
        <source>en la tabla caben %1</source>
        <translation>the table has room for %1</translation>
    </message>
    <message>
        <source>tiene %1 banda y %2; no se ha importado ninguna</source>
        <translation>it has %1 band and %2; none has been imported</translation>
    </message>
    <message>
        <source>tiene %1 bandas y %2; no se ha importado ninguna</source>
        <translation>it has %1 bands and %2; none has been imported</translation>
    </message>
    <message>
        <source>la tabla de picos no da anchuras y no se ha indicado una anchura para sus bandas</source>
        <translation>the peak table gives no widths and no width has been given for its bands</translation>
    </message>
    <message>
        <source>la tabla de picos está vacía</source>
        <translation>the peak table is empty</translation>
    </message>
    <message>
        <source>la lista no tiene una columna de anchuras y no se ha indicado una anchura para sus bandas</source>
        <translation>the list has no width column and no width has been given for its bands</translation>
    </message>
    <message>
        <source>no tiene los números que se esperan en sus columnas</source>
        <translation>does not have the numbers expected in its columns</translation>
    </message>
    <message>
        <source>tiene en la columna R algo distinto de «s» o «n»</source>
        <translation>has something other than “s” or “n” in column R</translation>
    </message>
    <message>
        <source>no tiene ninguna línea con una posición y una intensidad</source>
        <translation>it has no line with a position and an intensity</translation>
    </message>
    <message>
        <source>el análisis de frecuencias no da actividades Raman</source>
        <translation>the frequency analysis gives no Raman activities</translation>
    </message>
    <message>
        <source>el análisis de frecuencias no da intensidades infrarrojas</source>
        <translation>the frequency analysis gives no infrared intensities</translation>
    </message>
    <message>
        <source>el análisis de frecuencias no da anchuras y no se ha indicado una anchura para sus bandas</source>
        <translation>the frequency analysis gives no widths and no width was given for its bands</translation>
    </message>
    <message>
        <source>la línea del láser (%1 cm-1) no pasa de la banda de %2 cm-1</source>
        <translation>the laser line (%1 cm-1) does not exceed the band at %2 cm-1</translation>
    </message>
    <message>
        <source>el análisis de frecuencias no tiene ningún modo que dé una banda</source>
        <translation>the frequency analysis has no mode that gives a band</translation>
    </message>
    <message>
        <source>se ha dejado fuera 1 frecuencia imaginaria: %2 cm-1</source>
        <translation>1 imaginary frequency was left out: %2 cm-1</translation>
    </message>
    <message>
        <source>se han dejado fuera %1 frecuencias imaginarias: %2 cm-1</source>
        <translation>%1 imaginary frequencies were left out: %2 cm-1</translation>
    </message>
    <message>
        <source>el análisis de frecuencias no tiene ningún modo que dé una banda entre %1 y %2 cm-1</source>
        <translation>the frequency analysis has no mode that gives a band between %1 and %2 cm-1</translation>
    </message>
    <message>
        <source>se han tomado las %1 bandas más intensas de %2</source>
        <translation>the %1 strongest bands of %2 have been taken</translation>
    </message>
    <message>
        <source>tiene en la columna de la forma algo distinto de g, l, pv o v</source>
        <translation>has something other than g, l, pv or v in the shape column</translation>
    </message>
    <message>
        <source>tiene una fracción lorentziana que no está entre 0 y 1</source>
        <translation>has a Lorentzian share that is not between 0 and 1</translation>
    </message>
</context>
<context>
    <name>Comparison</name>
    <message>
        <source>la tabla no tiene bandas que comparar</source>
        <translation>the table has no bands to compare</translation>
    </message>
    <message>
        <source>hay %1 puntos en el intervalo y la comparación necesita al menos %2</source>
        <translation>the range holds %1 points and the comparison needs at least %2</translation>
    </message>
    <message>
        <source>los datos del intervalo no varían</source>
        <translation>the data of the range do not vary</translation>
    </message>
    <message>
        <source>ninguna banda calculada cae en el intervalo con un factor de escala entre %1 y %2</source>
        <translation>no computed band falls in the range with a scale factor between %1 and %2</translation>
    </message>
    <message>
        <source>el ajuste no converge en %1 iteraciones</source>
        <translation>the fit does not converge in %1 iterations</translation>
    </message>
    <message>
        <source>el ajuste no converge</source>
        <translation>the fit does not converge</translation>
    </message>
    <message>
        <source>un valor del ajuste no es un número finito</source>
        <translation>a value of the fit is not a finite number</translation>
    </message>
    <message>
        <source>El cálculo reproduce el espectro medido (r = %1).</source>
        <translation>The calculation reproduces the measured spectrum (r = %1).</translation>
    </message>
    <message>
        <source>El cálculo reproduce el espectro medido solo en parte (r = %1).</source>
        <translation>The calculation reproduces the measured spectrum only in part (r = %1).</translation>
    </message>
    <message>
        <source>El cálculo no reproduce el espectro medido (r = %1).</source>
        <translation>The calculation does not reproduce the measured spectrum (r = %1).</translation>
    </message>
    <message>
        <source>el documento no tiene un espectro medido con el que comparar</source>
        <translation>the document has no measured spectrum to compare with</translation>
    </message>
    <message>
        <source>Comparación del cálculo con el espectro medido</source>
        <translation>Calculation compared with the measured spectrum</translation>
    </message>
    <message>
        <source>Intervalo</source>
        <translation>Range</translation>
    </message>
    <message>
        <source>Factor de escala a</source>
        <translation>Scale factor a</translation>
    </message>
    <message>
        <source>Desplazamiento b</source>
        <translation>Shift b</translation>
    </message>
    <message>
        <source>Anchura w</source>
        <translation>Width w</translation>
    </message>
    <message>
        <source>Factor de intensidad k</source>
        <translation>Intensity factor k</translation>
    </message>
    <message>
        <source>Fracción lorentziana</source>
        <translation>Lorentzian share</translation>
    </message>
    <message>
        <source>Línea base c</source>
        <translation>Baseline c</translation>
    </message>
    <message>
        <source>r de Pearson</source>
        <translation>Pearson&apos;s r</translation>
    </message>
    <message>
        <source>Solapamiento (coseno)</source>
        <translation>Overlap (cosine)</translation>
    </message>
    <message>
        <source>Asignación (tolerancia %1): %2 parejas, %3 bandas calculadas y %4 medidas sin pareja.
</source>
        <translation>Assignment (tolerance %1): %2 pairs, %3 computed and %4 measured bands without a partner.
</translation>
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
</context>
<context>
    <name>DataExport</name>
    <message>
        <source>La resolución es %1: debe ser un número entero mayor que 0. Cámbiela en el formato de salida antes de exportar.</source>
        <translation>The resolution is %1: it must be a whole number greater than 0. Change it in the output format before exporting.</translation>
    </message>
    <message>
        <source>Se detuvo la exportación. El archivo %1 queda incompleto: tiene %2 línea de datos.</source>
        <translation>The export was stopped. The file %1 is left incomplete: it has %2 line of data.</translation>
    </message>
    <message>
        <source>Se detuvo la exportación. El archivo %1 queda incompleto: tiene %2 líneas de datos.</source>
        <translation>The export was stopped. The file %1 is left incomplete: it has %2 lines of data.</translation>
    </message>
    <message>
        <source>No se pudo abrir el archivo %1.</source>
        <translation>Could not open the file %1.</translation>
    </message>
    <message>
        <source>No se pudo abrir el archivo.</source>
        <translation>Could not open the file.</translation>
    </message>
</context>
<context>
    <name>Document</name>
    <message>
        <source>Sin título</source>
        <translation>Untitled</translation>
    </message>
</context>
<context>
    <name>DocumentFile</name>
    <message>
        <source>es una carpeta, no un documento</source>
        <translation>it is a folder, not a document</translation>
    </message>
    <message>
        <source>no es un documento sino un dispositivo, una tubería o un socket</source>
        <translation>it is not a document but a device, a pipe or a socket</translation>
    </message>
    <message>
        <source>el archivo no existe</source>
        <translation>the file does not exist</translation>
    </message>
    <message>
        <source>No se pudo leer %1. %2</source>
        <translation>Could not read %1. %2</translation>
    </message>
</context>
<context>
    <name>DocumentFormat</name>
    <message>
        <source>El archivo no es un documento de Trazel válido: dice contener %1 máximos, y un documento tiene entre 0 y 99.</source>
        <translation>The file is not a valid Trazel document: it claims to hold %1 peaks, and a document has between 0 and 99.</translation>
    </message>
</context>
<context>
    <name>DocumentSection</name>
    <message>
        <source>un registro termina antes de tiempo</source>
        <translation>a record ends too early</translation>
    </message>
    <message>
        <source>un registro tiene un valor lógico que no es 0 ni 1</source>
        <translation>a record has a logical value that is neither 0 nor 1</translation>
    </message>
    <message>
        <source>un registro tiene un texto de %1 bytes, más de los %2 que admite</source>
        <translation>a record has a text of %1 bytes, more than the %2 it allows</translation>
    </message>
    <message>
        <source>un registro dice tener %1 números, más de los que caben en él</source>
        <translation>a record claims to hold %1 numbers, more than fit in it</translation>
    </message>
    <message>
        <source>El análisis guardado está cortado: falta parte de su cabecera.</source>
        <translation>The stored analysis is cut short: part of its header is missing.</translation>
    </message>
    <message>
        <source>El análisis guardado no es válido: su versión es 0.</source>
        <translation>The stored analysis is not valid: its version is 0.</translation>
    </message>
    <message>
        <source>El análisis guardado no es válido: dice ocupar %1 bytes, más de los %2 que puede ocupar.</source>
        <translation>The stored analysis is not valid: it claims to take %1 bytes, more than the %2 it may take.</translation>
    </message>
    <message>
        <source>El análisis guardado está cortado: dice ocupar %1 bytes y el archivo tiene %2.</source>
        <translation>The stored analysis is cut short: it claims to take %1 bytes and the file has %2.</translation>
    </message>
    <message>
        <source>El análisis guardado no es válido: el archivo sigue tras su final.</source>
        <translation>The stored analysis is not valid: the file continues past its end.</translation>
    </message>
    <message>
        <source>El análisis guardado está dañado: su suma de comprobación no coincide con su contenido.</source>
        <translation>The stored analysis is damaged: its checksum does not match its contents.</translation>
    </message>
    <message>
        <source>El análisis guardado no es válido: tiene más de %1 registros.</source>
        <translation>The stored analysis is not valid: it has more than %1 records.</translation>
    </message>
    <message>
        <source>El análisis guardado no es válido: su último registro está cortado.</source>
        <translation>The stored analysis is not valid: its last record is cut short.</translation>
    </message>
    <message>
        <source>El análisis guardado no es válido: el registro %1 dice ocupar más bytes de los que quedan.</source>
        <translation>The stored analysis is not valid: record %1 claims to take more bytes than remain.</translation>
    </message>
    <message>
        <source>El análisis guardado ocupa más de lo que puede ocupar.</source>
        <translation>The stored analysis is larger than it can be.</translation>
    </message>
</context>
<context>
    <name>FileErrors</name>
    <message>
        <source>«%1»</source>
        <translation>“%1”</translation>
    </message>
    <message>
        <source>no queda espacio en el disco</source>
        <translation>there is no space left on the disk</translation>
    </message>
    <message>
        <source>no existe el archivo o la carpeta</source>
        <translation>the file or folder does not exist</translation>
    </message>
    <message>
        <source>no hay permiso</source>
        <translation>permission denied</translation>
    </message>
    <message>
        <source>es una carpeta</source>
        <translation>it is a folder</translation>
    </message>
    <message>
        <source>el disco es de solo lectura</source>
        <translation>the disk is read-only</translation>
    </message>
    <message>
        <source>una parte de la ruta no es una carpeta</source>
        <translation>part of the path is not a folder</translation>
    </message>
    <message>
        <source>se ha superado la cuota de disco</source>
        <translation>the disk quota has been exceeded</translation>
    </message>
    <message>
        <source>error de entrada/salida</source>
        <translation>input/output error</translation>
    </message>
    <message>
        <source>el archivo superaría el tamaño máximo permitido</source>
        <translation>the file would exceed the largest size allowed</translation>
    </message>
    <message>
        <source>el nombre es demasiado largo</source>
        <translation>the name is too long</translation>
    </message>
    <message>
        <source>la ruta da vueltas entre enlaces simbólicos</source>
        <translation>the path loops through symbolic links</translation>
    </message>
    <message>
        <source>es una tubería o un dispositivo que nadie atiende</source>
        <translation>it is a pipe or a device that nobody is reading</translation>
    </message>
    <message>
        <source>el programa que leía el archivo lo ha cerrado</source>
        <translation>the program reading the file has closed it</translation>
    </message>
    <message>
        <source>No se pudo abrir el archivo %1: %2.</source>
        <translation>Could not open the file %1: %2.</translation>
    </message>
    <message>
        <source>No se pudo escribir el archivo %1: %2.</source>
        <translation>Could not write the file %1: %2.</translation>
    </message>
    <message>
        <source>No se pudo abrir %1: %2.</source>
        <translation>Could not open %1: %2.</translation>
    </message>
    <message>
        <source>No se pudo leer %1: %2.</source>
        <translation>Could not read %1: %2.</translation>
    </message>
</context>
<context>
    <name>FitExport</name>
    <message>
        <source>lorentziana</source>
        <translation>Lorentzian</translation>
    </message>
    <message>
        <source>gaussiana</source>
        <translation>Gaussian</translation>
    </message>
    <message>
        <source>%1, centrada en posición × escala</source>
        <translation>%1, centred on position × scale</translation>
    </message>
    <message>
        <source>posición</source>
        <translation>position</translation>
    </message>
    <message>
        <source>intensidad</source>
        <translation>intensity</translation>
    </message>
    <message>
        <source>anchura</source>
        <translation>width</translation>
    </message>
    <message>
        <source>%1 y %2</source>
        <translation>%1 and %2</translation>
    </message>
    <message>
        <source>ninguno de las bandas</source>
        <translation>none of the bands</translation>
    </message>
    <message>
        <source>%1; la línea base</source>
        <translation>%1; the baseline</translation>
    </message>
    <message>
        <source>%1 de la banda %2 (%3)</source>
        <translation>%1 of band %2 (%3)</translation>
    </message>
    <message>
        <source>ninguno</source>
        <translation>none</translation>
    </message>
    <message>
        <source>Informe del ajuste</source>
        <translation>Fit report</translation>
    </message>
    <message>
        <source>Documento</source>
        <translation>Document</translation>
    </message>
    <message>
        <source>Espectro medido</source>
        <translation>Measured spectrum</translation>
    </message>
    <message>
        <source>%1 (%2 dejados fuera por la transformación)</source>
        <translation>%1 (%2 left out by the transform)</translation>
    </message>
    <message>
        <source>Puntos del espectro</source>
        <translation>Spectrum points</translation>
    </message>
    <message>
        <source>Transformación</source>
        <translation>Transform</translation>
    </message>
    <message>
        <source>Intervalo de x</source>
        <translation>x range</translation>
    </message>
    <message>
        <source>%1 a %2</source>
        <translation>%1 to %2</translation>
    </message>
    <message>
        <source>Forma de línea</source>
        <translation>Line shape</translation>
    </message>
    <message>
        <source>Línea base</source>
        <translation>Baseline</translation>
    </message>
    <message>
        <source>ninguna</source>
        <translation>none</translation>
    </message>
    <message>
        <source>Valores que varían</source>
        <translation>Values varied</translation>
    </message>
    <message>
        <source>Valores en el límite</source>
        <translation>Values at a bound</translation>
    </message>
    <message>
        <source>Veredicto</source>
        <translation>Verdict</translation>
    </message>
    <message>
        <source>Iteraciones</source>
        <translation>Iterations</translation>
    </message>
    <message>
        <source>Puntos ajustados</source>
        <translation>Points fitted</translation>
    </message>
    <message>
        <source>Valores libres</source>
        <translation>Free values</translation>
    </message>
    <message>
        <source>Suma de cuadrados (RSS)</source>
        <translation>Sum of squares (RSS)</translation>
    </message>
    <message>
        <source>χ² reducido</source>
        <translation>Reduced χ²</translation>
    </message>
    <message>
        <source>Estructura del residuo</source>
        <translation>Residual structure</translation>
    </message>
    <message>
        <source>%1 (umbral %2)</source>
        <translation>%1 (threshold %2)</translation>
    </message>
    <message>
        <source>sin evaluar (muy pocos puntos)</source>
        <translation>not evaluated (too few points)</translation>
    </message>
    <message>
        <source>Banda</source>
        <translation>Band</translation>
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
        <source>Área</source>
        <translation>Area</translation>
    </message>
    <message>
        <source>Área (%)</source>
        <translation>Area (%)</translation>
    </message>
    <message>
        <source>Fecha</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Programa</source>
        <translation>Program</translation>
    </message>
    <message>
        <source>Trazel %1</source>
        <translation>Trazel %1</translation>
    </message>
    <message>
        <source>el paso debe ser un número mayor que 0</source>
        <translation>the step must be a number greater than 0</translation>
    </message>
    <message>
        <source>con ese paso el intervalo del ajuste daría más de 10000000 filas</source>
        <translation>with that step the fit&apos;s range would give more than 10000000 rows</translation>
    </message>
    <message>
        <source>%1 de %2 de %3</source>
        <translation>%1 of %2 of %3</translation>
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
        <source>fracción lorentziana</source>
        <translation>Lorentzian share</translation>
    </message>
    <message>
        <source>Ruido de los datos</source>
        <translation>Noise of the data</translation>
    </message>
    <message>
        <source>RMS del residuo / ruido</source>
        <translation>Residual RMS / noise</translation>
    </message>
    <message>
        <source>%1 (el ruido llega a %2)</source>
        <translation>%1 (noise reaches %2)</translation>
    </message>
    <message>
        <source>Mayor rasgo del residuo</source>
        <translation>Largest residual feature</translation>
    </message>
    <message>
        <source>x = %1, %2 % de la banda más alta</source>
        <translation>x = %1, %2 % of the tallest band</translation>
    </message>
    <message>
        <source>Criterio de información (BIC)</source>
        <translation>Information criterion (BIC)</translation>
    </message>
    <message>
        <source>Regiones de ajuste</source>
        <translation>Fit regions</translation>
    </message>
    <message>
        <source>Área (% región)</source>
        <translation>Area (% region)</translation>
    </message>
    <message>
        <source>Región</source>
        <translation>Region</translation>
    </message>
    <message>
        <source>Área (% total)</source>
        <translation>Area (% total)</translation>
    </message>
    <message>
        <source>Región %1</source>
        <translation>Region %1</translation>
    </message>
    <message>
        <source>Forma</source>
        <translation>Shape</translation>
    </message>
</context>
<context>
    <name>FitReport</name>
    <message>
        <source>fija</source>
        <translation>fixed</translation>
    </message>
    <message>
        <source>en el límite</source>
        <translation>at bound</translation>
    </message>
    <message>
        <source>sin determinar</source>
        <translation>undetermined</translation>
    </message>
    <message>
        <source>ninguna</source>
        <translation>none</translation>
    </message>
    <message>
        <source>constante</source>
        <translation>constant</translation>
    </message>
    <message>
        <source>recta</source>
        <translation>straight line</translation>
    </message>
    <message>
        <source>parábola</source>
        <translation>parabola</translation>
    </message>
    <message>
        <source>cúbica</source>
        <translation>cubic</translation>
    </message>
    <message>
        <source>No converge. %1</source>
        <translation>Does not converge. %1</translation>
    </message>
    <message>
        <source>la posición de una banda, en el borde del intervalo (%1)</source>
        <translation>the position of a band, at the edge of the range (%1)</translation>
    </message>
    <message>
        <source>la intensidad de la banda de posición %1 (%2)</source>
        <translation>the intensity of the band at position %1 (%2)</translation>
    </message>
    <message>
        <source>la anchura de la banda de posición %1 (%2)</source>
        <translation>the width of the band at position %1 (%2)</translation>
    </message>
    <message>
        <source>Converge, pero el residuo tiene estructura a la escala de las bandas (falta una banda o la forma de línea no conviene).</source>
        <translation>Converges, but the residual has structure at the scale of the bands (a band is missing or the line shape does not suit).</translation>
    </message>
    <message>
        <source>Converge.</source>
        <translation>Converges.</translation>
    </message>
    <message>
        <source>Converge, con valores en el límite: %1; y el residuo tiene estructura a la escala de las bandas (falta una banda o la forma de línea no conviene).</source>
        <translation>Converges, with values at a bound: %1; and the residual has structure at the scale of the bands (a band is missing or the line shape does not suit).</translation>
    </message>
    <message>
        <source>Converge, con valores en el límite: %1.</source>
        <translation>Converges, with values at a bound: %1.</translation>
    </message>
    <message>
        <source>R² %1, χ² reducido %2, estructura del residuo %3 (umbral %4)</source>
        <translation>R² %1, reduced χ² %2, residual structure %3 (threshold %4)</translation>
    </message>
    <message>
        <source>R² %1, χ² reducido %2, estructura del residuo sin evaluar (muy pocos puntos)</source>
        <translation>R² %1, reduced χ² %2, residual structure not evaluated (too few points)</translation>
    </message>
    <message>
        <source>la fracción lorentziana de la banda de posición %1 (%2)</source>
        <translation>the Lorentzian share of the band at position %1 (%2)</translation>
    </message>
    <message>
        <source>el residuo es ruido</source>
        <translation>the residual is noise</translation>
    </message>
    <message>
        <source>falta una banda cerca de x = %1 (el residuo llega al %2 % de la banda más alta)</source>
        <translation>a band is missing near x = %1 (the residual reaches %2 % of the tallest band)</translation>
    </message>
    <message>
        <source>la forma de línea no conviene</source>
        <translation>the line shape does not suit</translation>
    </message>
    <message>
        <source>el residuo es %1 veces el ruido sin la forma de una banda (¿falta línea base?)</source>
        <translation>the residual is %1 times the noise without the form of a band (a baseline missing?)</translation>
    </message>
    <message>
        <source>Converge; %1.</source>
        <translation>Converges; %1.</translation>
    </message>
    <message>
        <source>Converge, con valores en el límite: %1; %2.</source>
        <translation>Converges, with values at a bound: %1; %2.</translation>
    </message>
    <message>
        <source>%1 (correlado en %2 puntos)</source>
        <translation>%1 (correlated over %2 points)</translation>
    </message>
    <message>
        <source>%1 (blanco)</source>
        <translation>%1 (white)</translation>
    </message>
    <message>
        <source>; ruido de los datos %1, RMS del residuo %2 veces el ruido (hasta %3)</source>
        <translation>; noise of the data %1, residual RMS %2 times the noise (up to %3)</translation>
    </message>
</context>
<context>
    <name>Jcamp</name>
    <message>
        <source>no es un número</source>
        <translation>is not a number</translation>
    </message>
    <message>
        <source>tiene un valor ausente («?»), que no se puede dibujar</source>
        <translation>has a missing value (“?”), which cannot be drawn</translation>
    </message>
    <message>
        <source>tiene un carácter que no es de datos JCAMP-DX («%1»)</source>
        <translation>has a character that is not JCAMP-DX data (“%1”)</translation>
    </message>
    <message>
        <source>no empieza por una abscisa</source>
        <translation>does not start with an abscissa</translation>
    </message>
    <message>
        <source>empieza con una diferencia sin valor del que partir</source>
        <translation>starts with a difference without a value to start from</translation>
    </message>
    <message>
        <source>tiene una repetición (DUP) que no repite nada</source>
        <translation>has a repeat (DUP) that repeats nothing</translation>
    </message>
    <message>
        <source>no empieza por la última ordenada de la línea anterior (%1); falta o sobra algún dato</source>
        <translation>does not start with the last ordinate of the line before (%1); some data are missing or extra</translation>
    </message>
    <message>
        <source>no es una lista de números</source>
        <translation>is not a list of numbers</translation>
    </message>
    <message>
        <source>no tiene un número par de valores (pares x, y)</source>
        <translation>does not have an even number of values (x, y pairs)</translation>
    </message>
    <message>
        <source>no tiene grupos completos de tres valores (x, y, anchura)</source>
        <translation>does not have complete groups of three values (x, y, width)</translation>
    </message>
    <message>
        <source>un archivo de %1 bytes (como mucho %2 puntos)</source>
        <translation>a file of %1 bytes (at most %2 points)</translation>
    </message>
    <message>
        <source>no da un número válido</source>
        <translation>does not give a valid number</translation>
    </message>
    <message>
        <source>declara más puntos de los que se aceptan de %1</source>
        <translation>declares more points than are accepted from %1</translation>
    </message>
    <message>
        <source>repite un valor más veces de las que caben en el espectro (##NPOINTS=%1)</source>
        <translation>repeats a value more times than fit in the spectrum (##NPOINTS=%1)</translation>
    </message>
    <message>
        <source>repite un valor más veces de las que puede dar %1</source>
        <translation>repeats a value more times than %1 can give</translation>
    </message>
    <message>
        <source>usa una forma de datos que no se lee</source>
        <translation>uses a data form that is not read</translation>
    </message>
    <message>
        <source>no tiene un espectro (##XYDATA o ##XYPOINTS), sino otro tipo de datos</source>
        <translation>it has no spectrum (##XYDATA or ##XYPOINTS), but another kind of data</translation>
    </message>
    <message>
        <source>no tiene un espectro (##XYDATA o ##XYPOINTS)</source>
        <translation>it has no spectrum (##XYDATA or ##XYPOINTS)</translation>
    </message>
    <message>
        <source>no tiene una tabla de picos (##PEAK TABLE), sino otro tipo de datos</source>
        <translation>it has no peak table (##PEAK TABLE), but another kind of data</translation>
    </message>
    <message>
        <source>no tiene una tabla de picos (##PEAK TABLE)</source>
        <translation>it has no peak table (##PEAK TABLE)</translation>
    </message>
    <message>
        <source>dice %1 puntos y los datos tienen %2</source>
        <translation>says %1 points and the data have %2</translation>
    </message>
    <message>
        <source>falta ##FIRSTX o ##LASTX, que dan las abscisas</source>
        <translation>##FIRSTX or ##LASTX, which give the abscissas, is missing</translation>
    </message>
    <message>
        <source>el intervalo de x, de ##FIRSTX=%1 a ##LASTX=%2, desborda: su anchura no cabe en un número</source>
        <translation>the x range, from ##FIRSTX=%1 to ##LASTX=%2, overflows: its width does not fit in a number</translation>
    </message>
    <message>
        <source>empieza en x = %1 y su primer punto, el %2.º, está en x = %3 según ##FIRSTX, ##LASTX y el número de puntos; falta o sobra algún dato</source>
        <translation>starts at x = %1 and its first point, point %2, is at x = %3 by ##FIRSTX, ##LASTX and the number of points; some data are missing or extra</translation>
    </message>
    <message>
        <source>no cuadra con el primer punto, en x = %1</source>
        <translation>does not agree with the first point, at x = %1</translation>
    </message>
    <message>
        <source>no cuadra con el último punto, en x = %1</source>
        <translation>does not agree with the last point, at x = %1</translation>
    </message>
    <message>
        <source>%1, línea %2: ##DELTAX=%3 no cuadra con los puntos (de x = %4 a x = %5 en %6 puntos el paso es %7); se toman las abscisas de los puntos.</source>
        <translation>%1, line %2: ##DELTAX=%3 does not agree with the points (from x = %4 to x = %5 in %6 points the step is %7); the abscissas of the points are taken.</translation>
    </message>
</context>
<context>
    <name>LineReader</name>
    <message>
        <source>el archivo no existe</source>
        <translation>the file does not exist</translation>
    </message>
    <message>
        <source>es una carpeta, no un archivo</source>
        <translation>it is a folder, not a file</translation>
    </message>
    <message>
        <source>no es un archivo sino un dispositivo, una tubería o un socket</source>
        <translation>it is not a file but a device, a pipe or a socket</translation>
    </message>
    <message>
        <source>el archivo está vacío</source>
        <translation>the file is empty</translation>
    </message>
    <message>
        <source>la línea %1 es demasiado larga para ser texto</source>
        <translation>line %1 is too long to be text</translation>
    </message>
    <message>
        <source>parece un archivo binario, no texto</source>
        <translation>it looks like a binary file, not text</translation>
    </message>
</context>
<context>
    <name>MeasuredSpectrum</name>
    <message>
        <source>tiene un valor que no es un número finito</source>
        <translation>has a value that is not a finite number</translation>
    </message>
    <message>
        <source>no tiene un par de números x, y en las columnas %1 y %2</source>
        <translation>does not have a pair of x, y numbers in columns %1 and %2</translation>
    </message>
    <message>
        <source>no contiene más que líneas en blanco</source>
        <translation>it contains nothing but blank lines</translation>
    </message>
    <message>
        <source>no contiene ninguna línea con un par de números x, y</source>
        <translation>it contains no line with a pair of x, y numbers</translation>
    </message>
    <message>
        <source>el punto %1 no es un número finito</source>
        <translation>point %1 is not a finite number</translation>
    </message>
    <message>
        <source>tiene un solo punto; hacen falta al menos dos para dibujar un espectro</source>
        <translation>it has a single point; at least two are needed to draw a spectrum</translation>
    </message>
    <message>
        <source>es un espectro binario demasiado grande para leerlo</source>
        <translation>it is a binary spectrum too large to read</translation>
    </message>
    <message>
        <source>no se pudo leer entero</source>
        <translation>it could not be read whole</translation>
    </message>
    <message>
        <source>los espectros se cuentan desde 1</source>
        <translation>spectra are numbered from 1</translation>
    </message>
    <message>
        <source>hay más de un espectro llamado «%1»; elíjalo por su número</source>
        <translation>more than one spectrum is called “%1”; choose it by its number</translation>
    </message>
    <message>
        <source>no hay ningún espectro llamado «%1» entre sus %2</source>
        <translation>none of its %2 spectra is called “%1”</translation>
    </message>
</context>
<context>
    <name>MeasuredTransform</name>
    <message>
        <source>el desplazamiento Raman necesita la longitud de onda del láser en nm, un número mayor que 0</source>
        <translation>the Raman shift needs the laser wavelength in nm, a number greater than 0</translation>
    </message>
    <message>
        <source>el factor de y debe ser un número distinto de 0</source>
        <translation>the y factor must be a number other than 0</translation>
    </message>
    <message>
        <source>x de nanómetros a números de onda (cm⁻¹)</source>
        <translation>x from nanometres to wavenumbers (cm⁻¹)</translation>
    </message>
    <message>
        <source>x de números de onda (cm⁻¹) a nanómetros</source>
        <translation>x from wavenumbers (cm⁻¹) to nanometres</translation>
    </message>
    <message>
        <source>x de micrómetros a números de onda (cm⁻¹)</source>
        <translation>x from micrometres to wavenumbers (cm⁻¹)</translation>
    </message>
    <message>
        <source>x de longitudes de onda (nm) a desplazamiento Raman con el láser a %1 nm</source>
        <translation>x from wavelengths (nm) to Raman shift with the laser at %1 nm</translation>
    </message>
    <message>
        <source>y de transmitancia (0 a 1) a absorbancia</source>
        <translation>y from transmittance (0 to 1) to absorbance</translation>
    </message>
    <message>
        <source>y de transmitancia (%) a absorbancia</source>
        <translation>y from transmittance (%) to absorbance</translation>
    </message>
    <message>
        <source>y de absorbancia a transmitancia (0 a 1)</source>
        <translation>y from absorbance to transmittance (0 to 1)</translation>
    </message>
    <message>
        <source>y de absorbancia a transmitancia (%)</source>
        <translation>y from absorbance to transmittance (%)</translation>
    </message>
    <message>
        <source>cambio de signo de y</source>
        <translation>sign of y changed</translation>
    </message>
    <message>
        <source>y por %1</source>
        <translation>y times %1</translation>
    </message>
    <message>
        <source>línea base por mínimos cuadrados asimétricos restada (λ = %1, p = %2)</source>
        <translation>asymmetric least squares baseline subtracted (λ = %1, p = %2)</translation>
    </message>
    <message>
        <source>sin cambios</source>
        <translation>unchanged</translation>
    </message>
    <message>
        <source>la línea base por mínimos cuadrados asimétricos (λ = %1, p = %2) no es un número finito en %3 de los %4 puntos</source>
        <translation>the asymmetric least squares baseline (λ = %1, p = %2) is not a finite number at %3 of the %4 points</translation>
    </message>
</context>
<context>
    <name>NumberFields</name>
    <message>
        <source>escribe «%1» con coma y otro número con punto decimal: no se sabe si esa coma es decimal o separa los miles</source>
        <translation>writes “%1” with a comma and another number with a decimal point: it is unclear whether that comma is a decimal comma or separates thousands</translation>
    </message>
</context>
<context>
    <name>Opus</name>
    <message>
        <source>el parámetro %1 del bloque %2 acaba fuera del bloque</source>
        <translation>parameter %1 of block %2 ends outside the block</translation>
    </message>
    <message>
        <source>la cabecera OPUS está incompleta</source>
        <translation>the OPUS header is incomplete</translation>
    </message>
    <message>
        <source>el directorio de bloques OPUS (%1 bloques desde el byte %2) acaba fuera del archivo, que tiene %3 bytes</source>
        <translation>the OPUS block directory (%1 blocks from byte %2) ends outside the file, which has %3 bytes</translation>
    </message>
    <message>
        <source>el archivo OPUS no tiene ningún espectro de absorbancia (AB), transmitancia (TR) ni de canal único de la muestra (ScSm) con sus parámetros</source>
        <translation>the OPUS file has no absorbance (AB), transmittance (TR) or sample single channel (ScSm) spectrum with its parameters</translation>
    </message>
    <message>
        <source>de parámetros de %1</source>
        <translation>of parameters of %1</translation>
    </message>
    <message>
        <source>el bloque %1 (%2 bytes desde el byte %3) acaba fuera del archivo, que tiene %4 bytes</source>
        <translation>block %1 (%2 bytes from byte %3) ends outside the file, which has %4 bytes</translation>
    </message>
    <message>
        <source>el bloque %1 no da el número de puntos (NPT), la primera x (FXV) y la última (LXV)</source>
        <translation>block %1 does not give the number of points (NPT), the first x (FXV) and the last (LXV)</translation>
    </message>
    <message>
        <source>el bloque %1 dice que hay %2 puntos, pero el bloque %3 tiene sitio para %4</source>
        <translation>block %1 says there are %2 points, but block %3 has room for %4</translation>
    </message>
    <message>
        <source>el bloque %1 da un formato de números (DPF=%2) que no se conoce</source>
        <translation>block %1 gives a number format (DPF=%2) that is not known</translation>
    </message>
    <message>
        <source>el punto %1 del bloque %2 no es un número finito</source>
        <translation>point %1 of block %2 is not a finite number</translation>
    </message>
    <message>
        <source>%1 no tiene espectro de absorbancia; se lee el bloque %2.</source>
        <translation>%1 has no absorbance spectrum; block %2 is read.</translation>
    </message>
</context>
<context>
    <name>PeakList</name>
    <message>
        <source>Máximo</source>
        <translation>Maximum</translation>
    </message>
    <message>
        <source>Escala</source>
        <translation>Scale</translation>
    </message>
    <message>
        <source>Máx*Esc</source>
        <translation>Max*Scale</translation>
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
        <source>R</source>
        <translation>R</translation>
    </message>
    <message>
        <source>Forma</source>
        <translation>Shape</translation>
    </message>
</context>
<context>
    <name>PeakSearch</name>
    <message>
        <source>El orden del suavizado debe ser un entero de 0 a %1.</source>
        <translation>The smoothing order must be a whole number from 0 to %1.</translation>
    </message>
    <message>
        <source>La ventana del suavizado debe ser un número impar de puntos de %1 a %2.</source>
        <translation>The smoothing window must be an odd number of points from %1 to %2.</translation>
    </message>
    <message>
        <source>La ventana del suavizado debe tener más puntos que su orden.</source>
        <translation>The smoothing window must have more points than its order.</translation>
    </message>
    <message>
        <source>La prominencia mínima debe ser una fracción de 0 a 1 del intervalo de los datos (de 0 a 100 %).</source>
        <translation>The least prominence must be a fraction from 0 to 1 of the data&apos;s range (0 to 100 %).</translation>
    </message>
    <message>
        <source>La separación mínima debe ser un número de 0 en adelante.</source>
        <translation>The least separation must be a number of 0 or more.</translation>
    </message>
    <message>
        <source>El número de bandas debe ser un entero de 1 a %1.</source>
        <translation>The number of bands must be a whole number from 1 to %1.</translation>
    </message>
</context>
<context>
    <name>PrintedReport</name>
    <message>
        <source>Máximo</source>
        <translation>Maximum</translation>
    </message>
    <message>
        <source>Escala</source>
        <translation>Scale</translation>
    </message>
    <message>
        <source>Máx. Escalado</source>
        <translation>Scaled peak</translation>
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
        <source>Usando valores escalados de los máximos</source>
        <translation>Using scaled peak values</translation>
    </message>
    <message>
        <source>Usando valores de los máximos sin escalar</source>
        <translation>Using unscaled peak values</translation>
    </message>
</context>
<context>
    <name>ReadResult</name>
    <message>
        <source>la línea %1 (%2) %3</source>
        <translation>line %1 (%2) %3</translation>
    </message>
    <message>
        <source>Se canceló la lectura de %1; no se ha cargado nada.</source>
        <translation>Reading %1 was cancelled; nothing has been loaded.</translation>
    </message>
    <message>
        <source>se pidió el espectro %1 y el archivo tiene uno solo</source>
        <translation>spectrum %1 was asked for and the file holds only one</translation>
    </message>
    <message>
        <source>se pidió el espectro %1 y el archivo tiene %2</source>
        <translation>spectrum %1 was asked for and the file holds %2</translation>
    </message>
</context>
<context>
    <name>Spc</name>
    <message>
        <source>el archivo SPC dice que %1 ocupa %2 bytes desde el byte %3, pero el archivo tiene %4</source>
        <translation>the SPC file says that %1 takes %2 bytes from byte %3, but the file has %4</translation>
    </message>
    <message>
        <source>el primer subarchivo</source>
        <translation>the first subfile</translation>
    </message>
    <message>
        <source>la cabecera SPC está incompleta (%1 bytes de %2)</source>
        <translation>the SPC header is incomplete (%1 bytes of %2)</translation>
    </message>
    <message>
        <source>el exponente %1 de la cabecera SPC no es válido</source>
        <translation>the exponent %1 of the SPC header is not valid</translation>
    </message>
    <message>
        <source>el formato SPC antiguo con abscisas explícitas no se admite</source>
        <translation>the old SPC format with explicit abscissas is not supported</translation>
    </message>
    <message>
        <source>el número de puntos del archivo SPC (%1) no cabe en el archivo</source>
        <translation>the number of points of the SPC file (%1) does not fit in the file</translation>
    </message>
    <message>
        <source>el archivo SPC dice que no tiene ningún subarchivo</source>
        <translation>the SPC file says it has no subfile</translation>
    </message>
    <message>
        <source>el directorio de subarchivos</source>
        <translation>the subfile directory</translation>
    </message>
    <message>
        <source>las abscisas</source>
        <translation>the abscissas</translation>
    </message>
    <message>
        <source>el archivo SPC tiene %1 puntos; hacen falta al menos dos</source>
        <translation>the SPC file has %1 points; at least two are needed</translation>
    </message>
    <message>
        <source>los subarchivos</source>
        <translation>the subfiles</translation>
    </message>
    <message>
        <source>la cabecera SPC está incompleta</source>
        <translation>the SPC header is incomplete</translation>
    </message>
    <message>
        <source>el punto %1 no es un número finito</source>
        <translation>point %1 is not a finite number</translation>
    </message>
    <message>
        <source>el subarchivo %1</source>
        <translation>subfile %1</translation>
    </message>
</context>
<context>
    <name>SpectrumFile</name>
    <message>
        <source>el punto %1 (x %2, y %3) no se puede escribir con 14 cifras sin pasar del mayor número que cabe en un double</source>
        <translation>point %1 (x %2, y %3) cannot be written with 14 digits without going beyond the largest number a double holds</translation>
    </message>
    <message>
        <source>el intervalo de x, de %1 a %2, no cabe en un número, y JCAMP-DX calcula de él ##DELTAX y las x; escríbalo en texto o en CSV</source>
        <translation>the x range, from %1 to %2, does not fit in a number, and JCAMP-DX computes ##DELTAX and the x from it; write it as text or CSV</translation>
    </message>
</context>
<context>
    <name>SpectrumUnits</name>
    <message>
        <source>Número de onda (cm⁻¹)</source>
        <translation>Wavenumber (cm⁻¹)</translation>
    </message>
    <message>
        <source>Longitud de onda (nm)</source>
        <translation>Wavelength (nm)</translation>
    </message>
    <message>
        <source>Longitud de onda (µm)</source>
        <translation>Wavelength (µm)</translation>
    </message>
    <message>
        <source>Desplazamiento Raman (cm⁻¹)</source>
        <translation>Raman shift (cm⁻¹)</translation>
    </message>
    <message>
        <source>Absorbancia</source>
        <translation>Absorbance</translation>
    </message>
    <message>
        <source>Transmitancia</source>
        <translation>Transmittance</translation>
    </message>
    <message>
        <source>Transmitancia (%)</source>
        <translation>Transmittance (%)</translation>
    </message>
</context>
<context>
    <name>VibrationalOutput</name>
    <message>
        <source>tiene algo que no es un número en el análisis de frecuencias</source>
        <translation>has something that is not a number in the frequency analysis</translation>
    </message>
    <message>
        <source>da valores de un modo cuya frecuencia no está</source>
        <translation>gives values of a mode whose frequency is missing</translation>
    </message>
    <message>
        <source>no tiene un valor por cada frecuencia de su bloque</source>
        <translation>does not have a value for each frequency of its block</translation>
    </message>
    <message>
        <source>está cortada</source>
        <translation>is cut short</translation>
    </message>
    <message>
        <source>no sigue el orden de los modos anteriores</source>
        <translation>does not follow the order of the modes before it</translation>
    </message>
    <message>
        <source>es de una tabla IR SPECTRUM sin columna «Int» en km/mol</source>
        <translation>belongs to an IR SPECTRUM table without an “Int” column in km/mol</translation>
    </message>
    <message>
        <source>es una salida de %1 sin análisis de frecuencias</source>
        <translation>is a %1 output without a frequency analysis</translation>
    </message>
    <message>
        <source>el análisis de frecuencias de esta salida de %1 está cortado</source>
        <translation>the frequency analysis of this %1 output is cut short</translation>
    </message>
    <message>
        <source>pasa de 100000 modos de vibración, más de los que se leen</source>
        <translation>goes beyond 100000 vibrational modes, more than are read</translation>
    </message>
    <message>
        <source>no es el encabezado de una tabla con intensidades en km/mol</source>
        <translation>is not the heading of a table with intensities in km/mol</translation>
    </message>
</context>
</TS>
