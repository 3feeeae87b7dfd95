<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="es">
<context>
    <name>AboutDialog</name>
    <message>
        <source>Trazel Versión 1.4.0</source>
        <translation>Trazel Version 1.4.0</translation>
    </message>
    <message>
        <source>16-Octubre-2001</source>
        <translation>16 October 2001</translation>
    </message>
    <message>
        <source>Aceptar</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Mejoras de la versión</source>
        <translation>What each version brought</translation>
    </message>
    <message>
        <source>v1.1- Soporte para impresión.</source>
        <translation>v1.1- Printing.</translation>
    </message>
    <message>
        <source>v1.1.1- Opción &quot;unir puntos&quot;</source>
        <translation>v1.1.1- &quot;Join points&quot; option</translation>
    </message>
    <message>
        <source>v1.2- Posibilidad de cambiar la resolución de salida. </source>
        <translation>v1.2- The output resolution can be changed. </translation>
    </message>
    <message>
        <source>Modificación del soporte para impresión: medidas en cm.</source>
        <translation>Printing changed: sizes in cm.</translation>
    </message>
    <message>
        <source>Marcas de división en las gráficas.</source>
        <translation>Tick marks on the graphs.</translation>
    </message>
    <message>
        <source>Opción de edición de la selección.</source>
        <translation>The selection can be edited.</translation>
    </message>
    <message>
        <source>Asignación de anchura única a selección o totalidad.</source>
        <translation>One width can be given to the selection or to every band.</translation>
    </message>
    <message>
        <source>Solución de un pequeño bug en la barra de progreso de Exportar</source>
        <translation>A small bug in Export&apos;s progress bar fixed</translation>
    </message>
    <message>
        <source>v1.3- Posibilidad de representar curvas por separado.</source>
        <translation>v1.3- Curves can be plotted separately.</translation>
    </message>
    <message>
        <source>Posibilidad de modificar anchura o intensidad manteniendo el área constante.</source>
        <translation>Width or intensity can be changed keeping the area constant.</translation>
    </message>
    <message>
        <source>v1.3.1- Botón &quot;Ver curvas&quot; y otras pequeñas modificaciones en los controles.</source>
        <translation>v1.3.1- &quot;Show curves&quot; button and other small changes to the controls.</translation>
    </message>
    <message>
        <source>v1.4- Permite utilizar máximos escalados:</source>
        <translation>v1.4- Scaled maxima:</translation>
    </message>
    <message>
        <source>Asignación de una escala por la que se multiplica la posición del Máximo</source>
        <translation>A scale can be given that multiplies the position of the maximum</translation>
    </message>
    <message>
        <source>Manipulación del valor de escala uno a uno o varios Máximos simultáneamente </source>
        <translation>The scale can be changed for one maximum or several at once </translation>
    </message>
    <message>
        <source>Opción de Representar los valores escalados o los no escalados</source>
        <translation>Option to plot the scaled or the unscaled values</translation>
    </message>
    <message>
        <source>Modificación en la interfaz y en la impresión para reflejar la escala y el máximo escalado</source>
        <translation>The window and the printout show the scale and the scaled maximum</translation>
    </message>
    <message>
        <source>Acerca de Trazel</source>
        <translation>About Trazel</translation>
    </message>
</context>
<context>
    <name>BandImport</name>
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
        <source>escala</source>
        <translation>scale</translation>
    </message>
    <message>
        <source>R</source>
        <translation>R</translation>
    </message>
    <message>
        <source>%1 (columna %2)</source>
        <translation>%1 (column %2)</translation>
    </message>
    <message>
        <source>anchura %1</source>
        <translation>width %1</translation>
    </message>
    <message>
        <source>escala %1</source>
        <translation>scale %1</translation>
    </message>
    <message>
        <source>Tabla de picos JCAMP-DX. </source>
        <translation>JCAMP-DX peak table. </translation>
    </message>
    <message>
        <source>Del archivo, por su encabezado: %1.</source>
        <translation>From the file, by its header: %1.</translation>
    </message>
    <message>
        <source>Del archivo: %1.</source>
        <translation>From the file: %1.</translation>
    </message>
    <message>
        <source> Para todas: %1.</source>
        <translation> For every band: %1.</translation>
    </message>
    <message>
        <source>1 banda. </source>
        <translation>1 band. </translation>
    </message>
    <message>
        <source>%1 bandas. </source>
        <translation>%1 bands. </translation>
    </message>
    <message>
        <source> Las áreas pasan a alturas de bandas lorentzianas.</source>
        <translation> The areas become the heights of Lorentzian bands.</translation>
    </message>
    <message>
        <source> Las áreas pasan a alturas de bandas gaussianas.</source>
        <translation> The areas become the heights of Gaussian bands.</translation>
    </message>
    <message>
        <source>Análisis de frecuencias de %1: intensidades infrarrojas en km/mol, tomadas como áreas. </source>
        <translation>%1 frequency analysis: infrared intensities in km/mol, taken as areas. </translation>
    </message>
    <message>
        <source>Análisis de frecuencias de %1: actividades Raman en Å⁴/amu, tal como se imprimen. </source>
        <translation>Frequency analysis of %1: Raman activities in Å⁴/amu, as printed. </translation>
    </message>
    <message>
        <source>Análisis de frecuencias de %1: intensidades Raman con el láser a %2 nm y %3 K, la más alta 100. </source>
        <translation>Frequency analysis of %1: Raman intensities with the laser at %2 nm and %3 K, the strongest 100. </translation>
    </message>
</context>
<context>
    <name>DataExchange</name>
    <message>
        <source>Introduzca un número.</source>
        <translation>Enter a number.</translation>
    </message>
    <message>
        <source>Introduzca un número entero.</source>
        <translation>Enter a whole number.</translation>
    </message>
</context>
<context>
    <name>DocumentManager</name>
    <message>
        <source>¿Desea guardar los cambios de %1?</source>
        <translation>Save the changes to %1?</translation>
    </message>
    <message>
        <source>Abrir</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>No se pudo abrir «%1»: el nombre del archivo tiene caracteres que el diálogo de archivos no puede representar. Ábralo con «trazel RUTA» desde la línea de órdenes, o cambie el nombre del archivo.</source>
        <translation>Could not open “%1”: the file name has characters that the file dialog cannot show. Open it with “trazel PATH” from the command line, or rename the file.</translation>
    </message>
    <message>
        <source>Guardar como</source>
        <translation>Save as</translation>
    </message>
    <message>
        <source>El análisis guardado en el documento no se pudo leer al abrirlo, y al guardar se perderá: el documento se escribirá sin él. ¿Desea guardarlo así?</source>
        <translation>The analysis stored in the document could not be read when it was opened, and saving will lose it: the document will be written without it. Do you want to save it like that?</translation>
    </message>
</context>
<context>
    <name>Export</name>
    <message>
        <source>Exportando… Esc para detener</source>
        <translation>Exporting… Esc to stop</translation>
    </message>
    <message>
        <source>La exportación no ha terminado. ¿Desea detenerla para cerrar la ventana?</source>
        <translation>The export has not finished. Stop it to close the window?</translation>
    </message>
</context>
<context>
    <name>FileDialogs</name>
    <message>
        <source>Todos los archivos (*)</source>
        <translation>All files (*)</translation>
    </message>
</context>
<context>
    <name>FitFiles</name>
    <message>
        <source>No se puede exportar «%1»: el nombre debe acabar en .txt o .csv.</source>
        <translation>Cannot export “%1”: the name must end in .txt or .csv.</translation>
    </message>
    <message>
        <source>No se puede exportar «%1»: el nombre debe acabar en .csv.</source>
        <translation>Cannot export “%1”: the name must end in .csv.</translation>
    </message>
    <message>
        <source>Exportar resultado del ajuste</source>
        <translation>Export fit result</translation>
    </message>
    <message>
        <source>ajuste.txt</source>
        <translation>fit.txt</translation>
    </message>
    <message>
        <source>Exportar curvas del ajuste</source>
        <translation>Export fit curves</translation>
    </message>
    <message>
        <source>curvas.csv</source>
        <translation>curves.csv</translation>
    </message>
</context>
<context>
    <name>Form</name>
    <message>
        <source>&amp;Centro de la banda</source>
        <translation>Band &amp;centre</translation>
    </message>
    <message>
        <source>&amp;Intensidad</source>
        <translation>&amp;Intensity</translation>
    </message>
    <message>
        <source>&amp;Anchura</source>
        <translation>&amp;Width</translation>
    </message>
    <message>
        <source>Introducir</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>&amp;Escala</source>
        <translation>&amp;Scale</translation>
    </message>
    <message>
        <source>x &amp;mínimo</source>
        <translation>x &amp;min</translation>
    </message>
    <message>
        <source>y mí&amp;nimo</source>
        <translation>y mi&amp;n</translation>
    </message>
    <message>
        <source>x má&amp;ximo</source>
        <translation>x ma&amp;x</translation>
    </message>
    <message>
        <source>&amp;y máximo</source>
        <translation>&amp;y max</translation>
    </message>
    <message>
        <source>Representación &amp;Gaussiana</source>
        <translation>&amp;Gaussian bands</translation>
    </message>
    <message>
        <source>Representación &amp;Lorentziana</source>
        <translation>&amp;Lorentzian bands</translation>
    </message>
    <message>
        <source>&amp;Unir puntos</source>
        <translation>&amp;Join points</translation>
    </message>
    <message>
        <source>Usar valores escalados</source>
        <translation>Use scaled values</translation>
    </message>
    <message>
        <source>&amp;Representar</source>
        <translation>&amp;Plot</translation>
    </message>
    <message>
        <source>Ex&amp;portar</source>
        <translation>&amp;Export</translation>
    </message>
    <message>
        <source>&amp;Única Anchura:</source>
        <translation>&amp;Unique width:</translation>
    </message>
    <message>
        <source>&amp;Borrar todo</source>
        <translation>Clear &amp;all</translation>
    </message>
    <message>
        <source>Borrar Selección</source>
        <translation>Delete selection</translation>
    </message>
    <message>
        <source>Ver curvas</source>
        <translation>Show curves</translation>
    </message>
    <message>
        <source>Editar Selección</source>
        <translation>Edit selection</translation>
    </message>
    <message>
        <source>Escalar Selección</source>
        <translation>Scale selection</translation>
    </message>
    <message>
        <source>Asignar</source>
        <translation>Assign</translation>
    </message>
    <message>
        <source>Gráfico</source>
        <translation>Graph</translation>
    </message>
    <message>
        <source>Importar bandas</source>
        <translation>Import bands</translation>
    </message>
    <message>
        <source>Borrar todo</source>
        <translation>Clear all</translation>
    </message>
    <message>
        <source>Exportada 1 línea a %1</source>
        <translation>Exported 1 line to %1</translation>
    </message>
    <message>
        <source>Exportadas %1 líneas a %2</source>
        <translation>Exported %1 lines to %2</translation>
    </message>
</context>
<context>
    <name>GuardedApplication</name>
    <message>
        <source>No queda memoria suficiente para completar la operación. Trazel sigue abierto; compruebe los datos y guarde el documento si tiene cambios.</source>
        <translation>There is not enough memory left to complete the operation. Trazel is still open; check the data and save the document if it has changes.</translation>
    </message>
    <message>
        <source>La operación no se ha podido completar por un error inesperado (%1). Trazel sigue abierto; compruebe los datos y guarde el documento si tiene cambios.</source>
        <translation>The operation could not be completed because of an unexpected error (%1). Trazel is still open; check the data and save the document if it has changes.</translation>
    </message>
    <message>
        <source>La operación no se ha podido completar por un error inesperado. Trazel sigue abierto; compruebe los datos y guarde el documento si tiene cambios.</source>
        <translation>The operation could not be completed because of an unexpected error. Trazel is still open; check the data and save the document if it has changes.</translation>
    </message>
</context>
<context>
    <name>ImportBandsDialog</name>
    <message>
        <source>&amp;Anchura</source>
        <translation>&amp;Width</translation>
    </message>
    <message>
        <source>&amp;Escala</source>
        <translation>&amp;Scale</translation>
    </message>
    <message>
        <source>La &amp;columna de intensidad contiene áreas</source>
        <translation>The intensity &amp;column holds areas</translation>
    </message>
    <message>
        <source>La anchura y la escala son las de las bandas para las que el archivo no da ninguna.</source>
        <translation>The width and the scale are those of the bands for which the file gives none.</translation>
    </message>
    <message>
        <source>Aceptar</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancelar</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Importar bandas</source>
        <translation>Import bands</translation>
    </message>
    <message>
        <source>Introduzca un número.</source>
        <translation>Enter a number.</translation>
    </message>
    <message>
        <source>Archivo: %1</source>
        <translation>File: %1</translation>
    </message>
    <message>
        <source>Salida de química cuántica</source>
        <translation>Quantum-chemistry output</translation>
    </message>
    <message>
        <source>&amp;Infrarrojo (km/mol)</source>
        <translation>&amp;Infrared (km/mol)</translation>
    </message>
    <message>
        <source>Actividad &amp;Raman</source>
        <translation>&amp;Raman activity</translation>
    </message>
    <message>
        <source>Intensi&amp;dad Raman</source>
        <translation>Raman intensit&amp;y</translation>
    </message>
    <message>
        <source>&amp;Láser (nm):</source>
        <translation>&amp;Laser (nm):</translation>
    </message>
    <message>
        <source>&amp;Temperatura (K):</source>
        <translation>&amp;Temperature (K):</translation>
    </message>
    <message>
        <source>S&amp;olo los modos de</source>
        <translation>&amp;Only the modes from</translation>
    </message>
    <message>
        <source>a</source>
        <translation>to</translation>
    </message>
    <message>
        <source>cm⁻¹</source>
        <translation>cm⁻¹</translation>
    </message>
    <message>
        <source>La línea del láser y la temperatura deben ser mayores que 0.</source>
        <translation>The laser line and the temperature must be greater than 0.</translation>
    </message>
    <message>
        <source>El intervalo debe ir de un número de onda a otro mayor.</source>
        <translation>The range must go from one wavenumber to a greater one.</translation>
    </message>
</context>
<context>
    <name>Main</name>
    <message>
        <source>trazel: --lang admite «es» o «en», no «%1»
Pruebe «trazel --help».
</source>
        <translation>trazel: --lang takes “es” or “en”, not “%1”
Try “trazel --help”.
</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>&amp;Archivo</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>&amp;Nuevo	Ctrl+N</source>
        <translation>&amp;New	Ctrl+N</translation>
    </message>
    <message>
        <source>&amp;Abrir...	Ctrl+O</source>
        <translation>&amp;Open...	Ctrl+O</translation>
    </message>
    <message>
        <source>&amp;Guardar	Ctrl+S</source>
        <translation>&amp;Save	Ctrl+S</translation>
    </message>
    <message>
        <source>Guardar c&amp;omo...</source>
        <translation>Save &amp;as...</translation>
    </message>
    <message>
        <source>Impor&amp;tar bandas...</source>
        <translation>Impor&amp;t bands...</translation>
    </message>
    <message>
        <source>&amp;Imprimir...	Ctrl+P</source>
        <translation>&amp;Print...	Ctrl+P</translation>
    </message>
    <message>
        <source>&amp;Presentación preliminar</source>
        <translation>Print pre&amp;view</translation>
    </message>
    <message>
        <source>Con&amp;figurar impresora...</source>
        <translation>P&amp;rint setup...</translation>
    </message>
    <message>
        <source>Archivo reciente</source>
        <translation>Recent file</translation>
    </message>
    <message>
        <source>&amp;Salir</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>&amp;Editar</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>&amp;Deshacer	Ctrl+Z</source>
        <translation>&amp;Undo	Ctrl+Z</translation>
    </message>
    <message>
        <source>Re&amp;hacer	Ctrl+Y</source>
        <translation>&amp;Redo	Ctrl+Y</translation>
    </message>
    <message>
        <source>Cor&amp;tar	Ctrl+X</source>
        <translation>Cu&amp;t	Ctrl+X</translation>
    </message>
    <message>
        <source>&amp;Copiar	Ctrl+C</source>
        <translation>&amp;Copy	Ctrl+C</translation>
    </message>
    <message>
        <source>&amp;Pegar	Ctrl+V</source>
        <translation>&amp;Paste	Ctrl+V</translation>
    </message>
    <message>
        <source>Editar Selección...</source>
        <translation>Edit selection...</translation>
    </message>
    <message>
        <source>&amp;Ver</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>Barra de &amp;herramientas</source>
        <translation>&amp;Toolbar</translation>
    </message>
    <message>
        <source>Barra de &amp;estado</source>
        <translation>&amp;Status bar</translation>
    </message>
    <message>
        <source>&amp;Formato</source>
        <translation>F&amp;ormat</translation>
    </message>
    <message>
        <source>&amp;Formato de salida...</source>
        <translation>&amp;Output format...</translation>
    </message>
    <message>
        <source>&amp;Archivo de salida...</source>
        <translation>Output &amp;file...</translation>
    </message>
    <message>
        <source>Ex&amp;portar</source>
        <translation>E&amp;xport</translation>
    </message>
    <message>
        <source>Gráfico</source>
        <translation>&amp;Graph</translation>
    </message>
    <message>
        <source>&amp;Representar</source>
        <translation>&amp;Plot</translation>
    </message>
    <message>
        <source>Gráfico &amp;ampliado...	Ctrl+G</source>
        <translation>&amp;Enlarged graph...	Ctrl+G</translation>
    </message>
    <message>
        <source>Ay&amp;uda</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>&amp;Referencia Rápida...</source>
        <translation>&amp;Quick reference...</translation>
    </message>
    <message>
        <source>&amp;Acerca de Trazel...</source>
        <translation>&amp;About Trazel...</translation>
    </message>
    <message>
        <source>Barra de herramientas</source>
        <translation>Toolbar</translation>
    </message>
    <message>
        <source>Deshacer: %1</source>
        <translation>Undo: %1</translation>
    </message>
    <message>
        <source>Rehacer: %1</source>
        <translation>Redo: %1</translation>
    </message>
</context>
<context>
    <name>MeasuredColumnsDialog</name>
    <message>
        <source>Columna de &amp;x:</source>
        <translation>&amp;x column:</translation>
    </message>
    <message>
        <source>Columna de &amp;y:</source>
        <translation>&amp;y column:</translation>
    </message>
    <message>
        <source>Aceptar</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancelar</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Columnas del espectro medido</source>
        <translation>Measured spectrum columns</translation>
    </message>
    <message>
        <source>La primera línea de números tiene %1 columnas.</source>
        <translation>The first line of numbers has %1 columns.</translation>
    </message>
    <message>
        <source>Introduzca un número de columna entre 1 y %1.</source>
        <translation>Enter a column number from 1 to %1.</translation>
    </message>
    <message>
        <source>x e y han de leerse de columnas distintas.</source>
        <translation>x and y must be read from different columns.</translation>
    </message>
</context>
<context>
    <name>MeasuredOptionsDialog</name>
    <message>
        <source>Cambio de &amp;x</source>
        <translation>&amp;x conversion</translation>
    </message>
    <message>
        <source>Ninguno</source>
        <translation>None</translation>
    </message>
    <message>
        <source>Nanómetros a cm⁻¹</source>
        <translation>Nanometres to cm⁻¹</translation>
    </message>
    <message>
        <source>cm⁻¹ a nanómetros</source>
        <translation>cm⁻¹ to nanometres</translation>
    </message>
    <message>
        <source>Micrómetros a cm⁻¹</source>
        <translation>Micrometres to cm⁻¹</translation>
    </message>
    <message>
        <source>Nanómetros a desplazamiento Raman</source>
        <translation>Nanometres to Raman shift</translation>
    </message>
    <message>
        <source>&amp;Láser (nm):</source>
        <translation>&amp;Laser (nm):</translation>
    </message>
    <message>
        <source>Cambio de &amp;y</source>
        <translation>&amp;y conversion</translation>
    </message>
    <message>
        <source>Transmitancia (0 a 1) a absorbancia</source>
        <translation>Transmittance (0 to 1) to absorbance</translation>
    </message>
    <message>
        <source>Transmitancia (%) a absorbancia</source>
        <translation>Transmittance (%) to absorbance</translation>
    </message>
    <message>
        <source>Absorbancia a transmitancia (0 a 1)</source>
        <translation>Absorbance to transmittance (0 to 1)</translation>
    </message>
    <message>
        <source>Absorbancia a transmitancia (%)</source>
        <translation>Absorbance to transmittance (%)</translation>
    </message>
    <message>
        <source>Cambiar el &amp;signo de y</source>
        <translation>Change the &amp;sign of y</translation>
    </message>
    <message>
        <source>&amp;Factor de y:</source>
        <translation>y &amp;factor:</translation>
    </message>
    <message>
        <source>&amp;Escalar al máximo del modelo en la vista</source>
        <translation>Scale to the model&apos;s &amp;maximum in view</translation>
    </message>
    <message>
        <source>Restar la línea &amp;base por mínimos cuadrados asimétricos</source>
        <translation>Subtract an asymmetric least squares &amp;baseline</translation>
    </message>
    <message>
        <source>&amp;λ:</source>
        <translation>&amp;λ:</translation>
    </message>
    <message>
        <source>&amp;p:</source>
        <translation>&amp;p:</translation>
    </message>
    <message>
        <source>&amp;Quitar el espectro</source>
        <translation>&amp;Remove spectrum</translation>
    </message>
    <message>
        <source>Aceptar</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancelar</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Espectro medido</source>
        <translation>Measured spectrum</translation>
    </message>
    <message>
        <source>El factor de y multiplica las ordenadas del espectro medido para el ajuste y el gráfico: introduzca un número distinto de cero.</source>
        <translation>The y factor multiplies the ordinates of the measured spectrum for the fit and the graph: enter a number other than zero.</translation>
    </message>
    <message>
        <source>Se aplican en este orden: el cambio de x, el de y, el cambio de signo, el factor y la línea base restada. El archivo no cambia.</source>
        <translation>Applied in this order: the x conversion, the y conversion, the change of sign, the factor and the subtracted baseline. The file does not change.</translation>
    </message>
    <message>
        <source> Quedan fuera %1 de los %2 puntos, donde el cambio no está definido (%3 por x, %4 por y).</source>
        <translation> %1 of the %2 points are left out, where the conversion is undefined (%3 by x, %4 by y).</translation>
    </message>
    <message>
        <source>El desplazamiento Raman se mide desde la línea del láser: introduzca su longitud de onda en nm, un número positivo.</source>
        <translation>The Raman shift is measured from the laser line: enter its wavelength in nm, a positive number.</translation>
    </message>
    <message>
        <source>La línea base por mínimos cuadrados asimétricos no se puede calcular: %1.</source>
        <translation>The asymmetric least squares baseline cannot be computed: %1.</translation>
    </message>
    <message>
        <source>Con estos cambios quedan %1 de los %2 puntos, y hacen falta al menos dos: el cambio no está definido en los demás.</source>
        <translation>These conversions leave %1 of the %2 points, and at least two are needed: the conversion is undefined at the others.</translation>
    </message>
</context>
<context>
    <name>MeasuredSpectrum</name>
    <message>
        <source>Archivo: %1</source>
        <translation>File: %1</translation>
    </message>
</context>
<context>
    <name>MeasuredSpectrumChoiceDialog</name>
    <message>
        <source>Aceptar</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancelar</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Espectros del archivo</source>
        <translation>Spectra of the file</translation>
    </message>
    <message>
        <source>El archivo guarda %1 espectros: elija cuál superponer.</source>
        <translation>The file holds %1 spectra: choose which to overlay.</translation>
    </message>
    <message>
        <source>Nº</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>Nombre</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Clase</source>
        <translation>Kind</translation>
    </message>
    <message>
        <source>Puntos</source>
        <translation>Points</translation>
    </message>
    <message>
        <source>x desde</source>
        <translation>x from</translation>
    </message>
    <message>
        <source>x hasta</source>
        <translation>x to</translation>
    </message>
    <message>
        <source>Unidades de x</source>
        <translation>x units</translation>
    </message>
    <message>
        <source>Unidades de y</source>
        <translation>y units</translation>
    </message>
    <message>
        <source>Elija uno de los espectros.</source>
        <translation>Choose one of the spectra.</translation>
    </message>
</context>
<context>
    <name>Menu</name>
    <message>
        <source>Superponer espectro &amp;medido...</source>
        <translation>Overlay &amp;measured spectrum...</translation>
    </message>
    <message>
        <source>&amp;Buscar bandas...</source>
        <translation>&amp;Find bands...</translation>
    </message>
    <message>
        <source>A&amp;justar al espectro medido...</source>
        <translation>F&amp;it to measured spectrum...</translation>
    </message>
    <message>
        <source>Com&amp;parar con el espectro medido...</source>
        <translation>Comp&amp;are with measured spectrum...</translation>
    </message>
</context>
<context>
    <name>MessageBox</name>
    <message>
        <source>Aceptar</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancelar</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>&amp;Sí</source>
        <translation>&amp;Yes</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation>&amp;No</translation>
    </message>
</context>
<context>
    <name>OutputFileDialog</name>
    <message>
        <source>Archivos de texto(.txt)</source>
        <translation>Text files (.txt)</translation>
    </message>
    <message>
        <source>Guardar como</source>
        <translation>Save as</translation>
    </message>
</context>
<context>
    <name>OutputFormatDialog</name>
    <message>
        <source>Aceptar</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancelar</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>&amp;Signo decimal</source>
        <translation>&amp;Decimal sign</translation>
    </message>
    <message>
        <source>Usar &amp;punto decimal</source>
        <translation>Use decimal &amp;point</translation>
    </message>
    <message>
        <source>Usar &amp;coma decimal</source>
        <translation>Use decimal &amp;comma</translation>
    </message>
    <message>
        <source>Algunos programas utilizan la coma para designar los valores decimales</source>
        <translation>Some programs use a comma to mark the decimals</translation>
    </message>
    <message>
        <source>Resolución</source>
        <translation>Resolution</translation>
    </message>
    <message>
        <source>&amp;Resolución: puntos entre los límites de x.</source>
        <translation>&amp;Resolution: points between the x limits.</translation>
    </message>
    <message>
        <source>Formato de salida de datos</source>
        <translation>Output data format</translation>
    </message>
    <message>
        <source>La resolución es el número de puntos entre los límites de x: introduzca un número entero mayor que cero.</source>
        <translation>The resolution is the number of points between the x limits: enter a whole number greater than zero.</translation>
    </message>
</context>
<context>
    <name>PeakEditDialog</name>
    <message>
        <source>&amp;Máximo</source>
        <translation>&amp;Maximum</translation>
    </message>
    <message>
        <source>&amp;Intensidad</source>
        <translation>&amp;Intensity</translation>
    </message>
    <message>
        <source>&amp;Anchura</source>
        <translation>&amp;Width</translation>
    </message>
    <message>
        <source>&amp;Escala</source>
        <translation>&amp;Scale</translation>
    </message>
    <message>
        <source>&amp;Representar la curva por separado</source>
        <translation>&amp;Plot the curve separately</translation>
    </message>
    <message>
        <source>Aceptar</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancelar</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Introduzca los nuevos valores y pulse aceptar para que el cambio tenga efecto </source>
        <translation>Enter the new values and press OK for the change to take effect </translation>
    </message>
    <message>
        <source>Introducción manual de todos los datos</source>
        <translation>Enter every value by hand</translation>
    </message>
    <message>
        <source>Obtención de la intensidad a partir de la anchura dada y manteniendo el área</source>
        <translation>Intensity from the given width, keeping the area</translation>
    </message>
    <message>
        <source>Obtención de la anchura a partir de la intensidad dada y manteniendo el área</source>
        <translation>Width from the given intensity, keeping the area</translation>
    </message>
    <message>
        <source>Cálculo de datos</source>
        <translation>Calculation</translation>
    </message>
    <message>
        <source>Calcular</source>
        <translation>Calculate</translation>
    </message>
    <message>
        <source>Edición de datos</source>
        <translation>Edit data</translation>
    </message>
    <message>
        <source>Con anchura cero no se puede obtener la intensidad manteniendo el área. La intensidad no ha cambiado.</source>
        <translation>With a zero width the intensity cannot be found keeping the area. The intensity has not changed.</translation>
    </message>
    <message>
        <source>Con intensidad cero no se puede obtener la anchura manteniendo el área. La anchura no ha cambiado.</source>
        <translation>With a zero intensity the width cannot be found keeping the area. The width has not changed.</translation>
    </message>
    <message>
        <source>El área de este pico no es un número finito, así que no se puede mantener. Ningún valor ha cambiado.</source>
        <translation>The area of this peak is not a finite number, so it cannot be kept. No value has changed.</translation>
    </message>
    <message>
        <source>La intensidad que mantendría el área es demasiado grande. La intensidad no ha cambiado.</source>
        <translation>The intensity that would keep the area is too large. The intensity has not changed.</translation>
    </message>
    <message>
        <source>La anchura que mantendría el área es demasiado grande. La anchura no ha cambiado.</source>
        <translation>The width that would keep the area is too large. The width has not changed.</translation>
    </message>
    <message>
        <source>Como el &amp;documento</source>
        <translation>As the &amp;document</translation>
    </message>
    <message>
        <source>&amp;Gaussiana</source>
        <translation>&amp;Gaussian</translation>
    </message>
    <message>
        <source>&amp;Lorentziana</source>
        <translation>&amp;Lorentzian</translation>
    </message>
    <message>
        <source>&amp;Pseudo-Voigt</source>
        <translation>&amp;Pseudo-Voigt</translation>
    </message>
    <message>
        <source>&amp;Voigt</source>
        <translation>&amp;Voigt</translation>
    </message>
    <message>
        <source>&amp;Fracción lorentziana (0 a 1)</source>
        <translation>Lorentzian &amp;share (0 to 1)</translation>
    </message>
    <message>
        <source>Forma de la banda</source>
        <translation>Band shape</translation>
    </message>
    <message>
        <source>La fracción lorentziana debe estar entre 0 y 1.</source>
        <translation>The Lorentzian share must be between 0 and 1.</translation>
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
    <name>PrintDriver</name>
    <message>
        <source>No se pudo imprimir: la impresora no está disponible.</source>
        <translation>Could not print: the printer is not available.</translation>
    </message>
    <message>
        <source>no se pudo crear la carpeta temporal en «%1»</source>
        <translation>could not create the temporary folder in “%1”</translation>
    </message>
    <message>
        <source>no se pudo generar el PDF</source>
        <translation>could not produce the PDF</translation>
    </message>
    <message>
        <source>el PDF salió incompleto (¿se ha llenado la carpeta temporal «%1»?)</source>
        <translation>the PDF came out incomplete (is the temporary folder “%1” full?)</translation>
    </message>
</context>
<context>
    <name>QuickReference</name>
    <message>
        <source>Trazel 1.3.1, Referencia Rápida</source>
        <translation>Trazel 1.3.1, Quick Reference</translation>
    </message>
    <message>
        <source>Este programa calcula y dibuja sumas de Gaussianas o Lorentzianas.</source>
        <translation>This program computes and draws sums of Gaussians or Lorentzians.</translation>
    </message>
    <message>
        <source>Para ello requiere que se le introduzcan datos referidos a la posición del máximo, intensidad en este y anchura de cada una:</source>
        <translation>For each one it needs the position of the maximum, the intensity there and the width:</translation>
    </message>
    <message>
        <source>-Introduzca los datos requeridos en las casillas correspondientes, utilice el ratón o las teclas TAB e INTRO para pasar de una casilla a otra y para introducir los datos en el programa respectivamente. </source>
        <translation>-Type the values in their boxes; use the mouse or TAB to move from one box to the next, and ENTER to add the values to the program. </translation>
    </message>
    <message>
        <source>-Puede utilizar los botones &quot;borrar todo&quot; y &quot;borrar selección&quot; para eliminar datos de la tabla. Si decide hacer una selección recuerde que bastará con que marque los elementos deseados en la columna &quot;máximo&quot;. </source>
        <translation>-The &quot;Clear all&quot; and &quot;Delete selection&quot; buttons remove data from the table. To make a selection, it is enough to mark the rows you want in the &quot;Maximum&quot; column. </translation>
    </message>
    <message>
        <source>-Puede modificar los datos seleccionándolos y pulsando sobre &quot;Editar selección&quot;, o modificar la anchura de los datos seleccionados, o de todos si no ha seleccionado ninguno, mediante el botón &quot;Asignar&quot;.</source>
        <translation>-To change data, select them and press &quot;Edit selection&quot;; the &quot;Assign&quot; button changes the width of the selected rows, or of every row when none is selected.</translation>
    </message>
    <message>
        <source>-Puede fijar los valores entre los que se representará la suma de funciones modificando las casillas correspondientes a los máximos y mínimos de x e y. (Los límites para y no son considerados cuando se exportan datos).</source>
        <translation>-The boxes for the minimum and maximum of x and y set the range in which the sum of functions is plotted. (The y limits are not taken into account when data are exported).</translation>
    </message>
    <message>
        <source>-Utilice el botón &quot;Representar&quot; para obtener en la ventana del programa el gráfico resultado de la suma de funciones.</source>
        <translation>-Use the &quot;Plot&quot; button to draw the graph of the sum of functions in the program&apos;s window.</translation>
    </message>
    <message>
        <source>-Utilice &quot;Exportar&quot; para crear un archivo de texto con los valores de x e y resultado de la suma de funciones en el intervalo de x señalado (también se procederá a la representación).</source>
        <translation>-Use &quot;Export&quot; to write a text file with the x and y values of the sum of functions over the chosen x range (the graph is drawn as well).</translation>
    </message>
    <message>
        <source>-Puede modificar las opciones de salida del comando Exportar, así como el archivo de salida desde el menú Formato.</source>
        <translation>-The Export command&apos;s output options and its output file are set from the Format menu.</translation>
    </message>
    <message>
        <source>*Los archivos de salida han sido pensados para representar el gráfico deseado en una hoja de cálculo más potente. </source>
        <translation>*The output files are meant for drawing the graph you want in a more powerful spreadsheet. </translation>
    </message>
    <message>
        <source>*Se ha diseñado el  programa para que sólo de 250 valores de x, adecuándose el intervalo para que los puntos estén igualmente separados entre los valores extremos de x, aunque esto es modificable desde este menú.</source>
        <translation>*By default the program gives only 250 values of x, with the step chosen so that the points are evenly spaced between the end values of x; this can be changed from that menu.</translation>
    </message>
    <message>
        <source>*La separación entre columnas en el archivo de texto es un espacio en blanco.</source>
        <translation>*The columns of the text file are separated by a space.</translation>
    </message>
    <message>
        <source>*El archivo por defecto al que se exportarán los datos es &quot;datos.txt&quot;.</source>
        <translation>*By default the data are exported to the file &quot;datos.txt&quot;.</translation>
    </message>
    <message>
        <source>Mediante el menú archivo podrá abrir o guardar documentos conteniendo valores de máximos, intensidades y anchuras.</source>
        <translation>The File menu opens and saves documents holding the maxima, intensities and widths.</translation>
    </message>
    <message>
        <source>La resolución con la que se exporta o se imprime se selecciona desde el menú Formato</source>
        <translation>The resolution used for exporting and printing is chosen from the Format menu</translation>
    </message>
    <message>
        <source>Aún no estan operativas las funciones de edición(cortar/copiar/pegar).</source>
        <translation>The editing functions (cut/copy/paste) do not work yet.</translation>
    </message>
    <message>
        <source>Aceptar</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Ayuda</source>
        <translation>Help</translation>
    </message>
</context>
<context>
    <name>StartOptions</name>
    <message>
        <source>Falta el nombre de la impresora tras --print-to.</source>
        <translation>The printer name is missing after --print-to.</translation>
    </message>
    <message>
        <source>Falta el documento que imprimir.</source>
        <translation>The document to print is missing.</translation>
    </message>
    <message>
        <source>Pruebe «trazel --help».</source>
        <translation>Try “trazel --help”.</translation>
    </message>
    <message>
        <source>No se puede imprimir: no hay ninguna impresora instalada.</source>
        <translation>Cannot print: no printer is installed.</translation>
    </message>
    <message>
        <source>No se puede imprimir: no hay ninguna impresora predeterminada.</source>
        <translation>Cannot print: there is no default printer.</translation>
    </message>
    <message>
        <source>No se puede imprimir: no hay ninguna impresora «%1».</source>
        <translation>Cannot print: there is no printer “%1”.</translation>
    </message>
    <message>
        <source>Uso: trazel [DOCUMENTO]
     trazel --print DOCUMENTO
     trazel --print-to IMPRESORA DOCUMENTO

Abre la ventana de Trazel con un documento nuevo, o con DOCUMENTO.

  --print DOCUMENTO       imprime el informe de DOCUMENTO en la impresora
                          predeterminada, con la configuración de siempre,
                          y termina sin abrir la ventana
  --print-to IMPRESORA    lo mismo, en la impresora de ese nombre
  --lang es|en            la ventana en español o en inglés, sea cual sea el
                          idioma del entorno (LANGUAGE, LC_ALL, LC_MESSAGES, LANG)
  --help                  muestra esta ayuda y termina
  --version               escribe la versión y termina

Sin impresora, o con una que no existe, el mensaje sale por la salida de
errores y el estado de salida es 1.
</source>
        <translation>Usage: trazel [DOCUMENT]
       trazel --print DOCUMENT
       trazel --print-to PRINTER DOCUMENT

Opens the Trazel window with a new document, or with DOCUMENT.

  --print DOCUMENT        prints the report of DOCUMENT on the default
                          printer, with the usual settings, and exits
                          without opening the window
  --print-to PRINTER      the same, on the printer of that name
  --lang es|en            the window in Spanish or in English, whatever the
                          language of the environment (LANGUAGE, LC_ALL,
                          LC_MESSAGES, LANG)
  --help                  shows this help and exits
  --version               writes the version and exits

Without a printer, or with one that does not exist, the message goes to
standard error and the exit status is 1.
</translation>
    </message>
</context>
<context>
    <name>Strings</name>
    <message>
        <source>Exporta datos a archivo.
Exportar</source>
        <translation>Exports the data to a file.
Export</translation>
    </message>
    <message>
        <source>Representa las curvas.
Representar</source>
        <translation>Plots the curves.
Plot</translation>
    </message>
    <message>
        <source>Muestra las curvas en una ventana grande, con zoom, leyenda e imagen
Gráfico ampliado</source>
        <translation>Shows the curves in a large window, with zoom, legend and picture
Enlarged graph</translation>
    </message>
    <message>
        <source>Superpone al modelo un espectro medido (texto x-y o JCAMP-DX)
Superponer espectro medido</source>
        <translation>Overlays a measured spectrum (x-y text or JCAMP-DX) on the model
Overlay measured spectrum</translation>
    </message>
    <message>
        <source>Busca las bandas del espectro medido en el intervalo de x a la vista y las añade a la tabla
Buscar bandas</source>
        <translation>Finds the bands of the measured spectrum in the x range in view and adds them to the table
Find bands</translation>
    </message>
    <message>
        <source>Ajusta por mínimos cuadrados las bandas de la tabla al espectro medido
Ajustar al espectro medido</source>
        <translation>Fits the bands of the table to the measured spectrum by least squares
Fit to measured spectrum</translation>
    </message>
    <message>
        <source>Edita los datos seleccionados
Editar selección</source>
        <translation>Edits the selected data
Edit selection</translation>
    </message>
    <message>
        <source>Establece el formato de los datos de salida
 Formato de salida</source>
        <translation>Sets the format of the output data
 Output format</translation>
    </message>
    <message>
        <source>Fija el archivo de salida de datos
Archivo de salida</source>
        <translation>Sets the output data file
Output file</translation>
    </message>
    <message>
        <source>Añade a la tabla las bandas de un archivo de texto o JCAMP-DX
Importar bandas</source>
        <translation>Adds the bands of a text or JCAMP-DX file to the table
Import bands</translation>
    </message>
    <message>
        <source>Ayuda para utilizar el programa
Ayuda para utilizar el programa</source>
        <translation>Help on using the program
Help on using the program</translation>
    </message>
    <message>
        <source>Preparado</source>
        <translation>Ready</translation>
    </message>
    <message>
        <source>Crea un nuevo documento
Nuevo</source>
        <translation>Creates a new document
New</translation>
    </message>
    <message>
        <source>Abre un documento ya existente
Abrir</source>
        <translation>Opens an existing document
Open</translation>
    </message>
    <message>
        <source>Cierra el documento activo
Cerrar</source>
        <translation>Closes the active document
Close</translation>
    </message>
    <message>
        <source>Guarda el documento activo
Guardar</source>
        <translation>Saves the active document
Save</translation>
    </message>
    <message>
        <source>Guarda el documento activo con un nuevo nombre
Guardar como</source>
        <translation>Saves the active document under a new name
Save as</translation>
    </message>
    <message>
        <source>Cambia las opciones de impresión
Preparar página</source>
        <translation>Changes the printing options
Page setup</translation>
    </message>
    <message>
        <source>Cambia las opciones de impresora y de impresión
Configurar impresora</source>
        <translation>Changes the printer and printing options
Print setup</translation>
    </message>
    <message>
        <source>Imprime el documento activo
Imprimir</source>
        <translation>Prints the active document
Print</translation>
    </message>
    <message>
        <source>Muestra páginas completas
Presentación preliminar</source>
        <translation>Shows whole pages
Print preview</translation>
    </message>
    <message>
        <source>Borra la selección
Borrar</source>
        <translation>Erases the selection
Erase</translation>
    </message>
    <message>
        <source>Borra todo
Borrar todo</source>
        <translation>Erases everything
Erase all</translation>
    </message>
    <message>
        <source>Copia la selección y la coloca en el portapapeles
Copiar</source>
        <translation>Copies the selection to the clipboard
Copy</translation>
    </message>
    <message>
        <source>Corta la selección y la coloca en el portapapeles
Cortar</source>
        <translation>Cuts the selection to the clipboard
Cut</translation>
    </message>
    <message>
        <source>Buscaa el texto especificado
Buscar</source>
        <translation>Finds the given text
Find</translation>
    </message>
    <message>
        <source>Inserta el contenido del portapapeles
Pegar</source>
        <translation>Inserts the contents of the clipboard
Paste</translation>
    </message>
    <message>
        <source>Repite la última acción
Repetir</source>
        <translation>Repeats the last action
Repeat</translation>
    </message>
    <message>
        <source>Reemplaza texto específico por otro texto
Reemplazar</source>
        <translation>Replaces a given text with another
Replace</translation>
    </message>
    <message>
        <source>Selecciona todo el documento
Seleccionar todo</source>
        <translation>Selects the whole document
Select all</translation>
    </message>
    <message>
        <source>Deshace la última acción
Deshacer</source>
        <translation>Undoes the last action
Undo</translation>
    </message>
    <message>
        <source>Rehace la acción que acaba de deshacerse
Rehacer</source>
        <translation>Redoes the action just undone
Redo</translation>
    </message>
    <message>
        <source>Divide la ventana activa en secciones
Dividir</source>
        <translation>Splits the active window into panes
Split</translation>
    </message>
    <message>
        <source>Muestra información del programa, número de versión y copyright
Acerca de</source>
        <translation>Shows the program&apos;s information, version number and copyright
About</translation>
    </message>
    <message>
        <source>Sale de la aplicación; le pide que guarde los documentos
Salir</source>
        <translation>Quits the application, asking you to save the documents
Exit</translation>
    </message>
    <message>
        <source>Cambia a la siguiente sección de ventana
Siguiente sección</source>
        <translation>Switches to the next window pane
Next pane</translation>
    </message>
    <message>
        <source>Vuelve a la sección de ventana anterior
Sección anterior</source>
        <translation>Switches back to the previous window pane
Previous pane</translation>
    </message>
    <message>
        <source>EXT</source>
        <translation>EXT</translation>
    </message>
    <message>
        <source>MAY</source>
        <translation>CAP</translation>
    </message>
    <message>
        <source>NUM</source>
        <translation>NUM</translation>
    </message>
    <message>
        <source>DESP</source>
        <translation>SCRL</translation>
    </message>
    <message>
        <source>SOB</source>
        <translation>OVR</translation>
    </message>
    <message>
        <source>GRB</source>
        <translation>REC</translation>
    </message>
    <message>
        <source>Muestra u oculta la barra de herramientas
Alternar Barra de herramientas</source>
        <translation>Shows or hides the toolbar
Toggle toolbar</translation>
    </message>
    <message>
        <source>Muestra u oculta la barra de estado
Alternar Barra de estado</source>
        <translation>Shows or hides the status bar
Toggle status bar</translation>
    </message>
    <message>
        <source>Cambia el tamaño de la ventana</source>
        <translation>Changes the size of the window</translation>
    </message>
    <message>
        <source>Cambia la posición de la ventana</source>
        <translation>Changes the position of the window</translation>
    </message>
    <message>
        <source>Reduce la ventana a un icono</source>
        <translation>Reduces the window to an icon</translation>
    </message>
    <message>
        <source>Agranda la ventana al tamaño completo</source>
        <translation>Enlarges the window to full size</translation>
    </message>
    <message>
        <source>Cambia a la ventana del siguiente documento</source>
        <translation>Switches to the next document window</translation>
    </message>
    <message>
        <source>Cambia a la ventana del documento anterior</source>
        <translation>Switches to the previous document window</translation>
    </message>
    <message>
        <source>Cierra la ventana activa y le pide que guarde los documentos</source>
        <translation>Closes the active window, asking you to save the documents</translation>
    </message>
    <message>
        <source>Restaura la ventana a su tamaño normal</source>
        <translation>Restores the window to its normal size</translation>
    </message>
    <message>
        <source>Activa la lista de tareas</source>
        <translation>Activates the task list</translation>
    </message>
    <message>
        <source>Cierra el modo de presentación preliminar
Cancelar presentación preliminar</source>
        <translation>Closes print preview
Cancel print preview</translation>
    </message>
    <message>
        <source>Abre este documento</source>
        <translation>Opens this document</translation>
    </message>
    <message>
        <source>Lleva las bandas de la tabla, tomadas como calculadas, al espectro medido con un factor de escala, y dice qué banda es cuál
Comparar con el espectro medido</source>
        <translation>Brings the bands of the table, taken as computed, onto the measured spectrum with a scale factor, and tells which band is which
Compare with measured spectrum</translation>
    </message>
</context>
</TS>
