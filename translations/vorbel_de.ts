<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>vorbel::controls::ColorComboBox</name>
    <message>
        <source>Other colour…</source>
        <translation>Andere Farbe …</translation>
    </message>
</context>
<context>
    <name>vorbel::ui::BackgroundLayerDialog</name>
    <message>
        <source>|Set the background of the button</source>
        <translation>|Den Hintergrund der Schaltfläche festlegen</translation>
    </message>
    <message>
        <source>Background</source>
        <translation>Hintergrund</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Background color</source>
        <translation>Hintergrundfarbe</translation>
    </message>
    <message>
        <source>Transparent background</source>
        <translation>Transparenter Hintergrund</translation>
    </message>
    <message>
        <source>Edge</source>
        <translation>Rand</translation>
    </message>
    <message>
        <source>Edge color</source>
        <translation>Randfarbe</translation>
    </message>
    <message>
        <source>Image</source>
        <translation>Bild</translation>
    </message>
    <message>
        <source>Background image</source>
        <translation>Hintergrundbild</translation>
    </message>
    <message>
        <source>|Get the background from a file</source>
        <translation>|Das Hintergrundbild aus einer Datei laden</translation>
    </message>
    <message>
        <source>Clear background</source>
        <translation>Hintergrund leeren</translation>
    </message>
    <message>
        <source>Stretch image to match button</source>
        <translation>Bild auf Schaltflächengröße strecken</translation>
    </message>
    <message>
        <source>Shape</source>
        <translation>Form</translation>
    </message>
    <message>
        <source>&amp;None</source>
        <translation>&amp;Keine</translation>
    </message>
    <message>
        <source>&amp;Ellipse</source>
        <translation>&amp;Ellipse</translation>
    </message>
    <message>
        <source>&amp;Round rectangle</source>
        <translation>Abgerundetes &amp;Rechteck</translation>
    </message>
    <message>
        <source>Round rectangle properties</source>
        <translation>Abgerundetes Rechteck</translation>
    </message>
    <message>
        <source>Corner seed</source>
        <translation>Rundung</translation>
    </message>
    <message>
        <source>3D Colors</source>
        <translation>3D-Farben</translation>
    </message>
    <message>
        <source>3D drawing</source>
        <translation>3D-Darstellung</translation>
    </message>
    <message>
        <source>Highlight</source>
        <translation>Licht</translation>
    </message>
    <message>
        <source>Shadow</source>
        <translation>Schatten</translation>
    </message>
    <message>
        <source>Background pages</source>
        <translation>Seiten des Hintergrunds</translation>
    </message>
</context>
<context>
    <name>vorbel::ui::BevelLayerDialog</name>
    <message>
        <source>Bevel</source>
        <translation>Abschrägung</translation>
    </message>
    <message>
        <source>Bevel highlight</source>
        <translation>Licht der Abschrägung</translation>
    </message>
    <message>
        <source>|Set the color of the bevel&apos;s lighter area</source>
        <translation>|Die Farbe der hellen Seite der Abschrägung festlegen</translation>
    </message>
    <message>
        <source>Bevel shadow</source>
        <translation>Schatten der Abschrägung</translation>
    </message>
    <message>
        <source>|Set the color of the bevel&apos;s darker area</source>
        <translation>|Die Farbe der dunklen Seite der Abschrägung festlegen</translation>
    </message>
    <message>
        <source>Pen thickness</source>
        <translation>Strichstärke</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>vorbel::ui::Dialog</name>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Save changes to %1?</source>
        <translation>Änderungen an %1 speichern?</translation>
    </message>
    <message>
        <source>Your changes will be lost if you don&apos;t save them.</source>
        <translation>Ihre Änderungen gehen verloren, wenn Sie sie nicht speichern.</translation>
    </message>
    <message>
        <source>Unknown error</source>
        <translation>Unbekannter Fehler</translation>
    </message>
    <message>
        <source>Choose picture...</source>
        <translation>Bild wählen …</translation>
    </message>
</context>
<context>
    <name>vorbel::ui::ExportSetDialog</name>
    <message>
        <source>&amp;Normal</source>
        <translation>&amp;Normal</translation>
    </message>
    <message>
        <source>&amp;Hover</source>
        <translation>&amp;Hover</translation>
    </message>
    <message>
        <source>&amp;Pressed</source>
        <translation>Ge&amp;drückt</translation>
    </message>
    <message>
        <source>&amp;Disabled</source>
        <translation>Dea&amp;ktiviert</translation>
    </message>
    <message>
        <source>%1 and %2</source>
        <translation>%1 und %2</translation>
    </message>
    <message>
        <source>Export Set</source>
        <translation>Satz exportieren</translation>
    </message>
    <message>
        <source>&amp;Captions, one a line:</source>
        <translation>&amp;Beschriftungen, eine je Zeile:</translation>
    </message>
    <message>
        <source>The top-most text layer</source>
        <translation>Die oberste Textebene</translation>
    </message>
    <message>
        <source>Layer %1: %2</source>
        <translation>Ebene %1: %2</translation>
    </message>
    <message>
        <source>Caption &amp;layer:</source>
        <translation>Beschriftungs&amp;ebene:</translation>
    </message>
    <message>
        <source>Looks:</source>
        <translation>Zustände:</translation>
    </message>
    <message>
        <source>&amp;%1x</source>
        <translation>&amp;%1x</translation>
    </message>
    <message>
        <source>Screens:</source>
        <translation>Bildschirme:</translation>
    </message>
    <message>
        <source>Fit the longest caption</source>
        <translation>Passend zur längsten Beschriftung</translation>
    </message>
    <message>
        <source>The layout&apos;s size</source>
        <translation>Größe des Layouts</translation>
    </message>
    <message>
        <source>&amp;Size:</source>
        <translation>&amp;Größe:</translation>
    </message>
    <message>
        <source>%1 (every level of transparency)</source>
        <translation>%1 (jede Transparenzstufe)</translation>
    </message>
    <message>
        <source>%1 (transparent pixels)</source>
        <translation>%1 (transparente Pixel)</translation>
    </message>
    <message>
        <source>&amp;Format:</source>
        <translation>&amp;Format:</translation>
    </message>
    <message>
        <source>{name}: the caption in lower-case letters, digits and dashes; {index}: its place in the list; {state}: normal, hover, pressed or disabled; {scale}: 1, 2 or 3</source>
        <translation>{name}: die Beschriftung in Kleinbuchstaben, Ziffern und Bindestrichen; {index}: ihr Platz in der Liste; {state}: normal, hover, pressed oder disabled; {scale}: 1, 2 oder 3</translation>
    </message>
    <message>
        <source>File na&amp;mes:</source>
        <translation>Da&amp;teinamen:</translation>
    </message>
    <message>
        <source>&amp;Browse...</source>
        <translation>Du&amp;rchsuchen …</translation>
    </message>
    <message>
        <source>F&amp;older:</source>
        <translation>&amp;Ordner:</translation>
    </message>
    <message>
        <source>Sprite sheets, st&amp;yle sheet and preview page</source>
        <translation>Sprite-Sheets, &amp;Stylesheet und Vorschauseite</translation>
    </message>
    <message>
        <source>The set as it will be written, at 1x:</source>
        <translation>Der Satz, wie er geschrieben wird, bei 1x:</translation>
    </message>
    <message>
        <source>&amp;Export</source>
        <translation>E&amp;xportieren</translation>
    </message>
    <message>
        <source>choose at least one look</source>
        <translation>mindestens einen Zustand wählen</translation>
    </message>
    <message>
        <source>choose at least one screen</source>
        <translation>mindestens einen Bildschirm wählen</translation>
    </message>
    <message>
        <source>For example %1</source>
        <translation>Zum Beispiel %1</translation>
    </message>
    <message>
        <source>%1x</source>
        <translation>%1x</translation>
    </message>
    <message>
        <source>%1 files of %2 x %3 pixels at 1x: each caption %4 at %5, as %6, with the sprite sheets, style sheet and preview page.</source>
        <translation>%1 Dateien zu %2 × %3 Pixeln bei 1x: jede Beschriftung %4 bei %5, als %6, mit den Sprite-Sheets, dem Stylesheet und der Vorschauseite.</translation>
    </message>
    <message>
        <source>%1 files of %2 x %3 pixels at 1x: each caption %4 at %5, as %6.</source>
        <translation>%1 Dateien zu %2 × %3 Pixeln bei 1x: jede Beschriftung %4 bei %5, als %6.</translation>
    </message>
    <message>
        <source>The strip shows the first %1 of %2 captions.</source>
        <translation>Der Streifen zeigt die ersten %1 von %2 Beschriftungen.</translation>
    </message>
    <message>
        <source>Choose the folder to write the set into.</source>
        <translation>Wählen Sie den Ordner, in den der Satz geschrieben wird.</translation>
    </message>
    <message>
        <source>%1 of them are in %2 already and will be replaced.</source>
        <translation>%1 davon liegen schon in %2 und werden ersetzt.</translation>
    </message>
    <message>
        <source>They go to %1.</source>
        <translation>Sie kommen nach %1.</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>%1 of the %2 files of the set are in %3 already.
Do you want to replace them?</source>
        <translation>%1 der %2 Dateien des Satzes liegen schon in %3.
Möchten Sie sie ersetzen?</translation>
    </message>
    <message>
        <source>Nothing was written: the files in %1 stay as they were.</source>
        <translation>Nichts wurde geschrieben: Die Dateien in %1 bleiben, wie sie waren.</translation>
    </message>
    <message>
        <source>%1 of %2 files were written before this error: %3</source>
        <translation>%1 von %2 Dateien wurden vor diesem Fehler geschrieben: %3</translation>
    </message>
    <message>
        <source>Stopped: %1 of %2 files were written to %3.</source>
        <translation>Abgebrochen: %1 von %2 Dateien wurden nach %3 geschrieben.</translation>
    </message>
    <message>
        <source>%1 files were written to %2.</source>
        <translation>%1 Dateien wurden nach %2 geschrieben.</translation>
    </message>
    <message>
        <source>Folder for the Set</source>
        <translation>Ordner für den Satz</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Keines</translation>
    </message>
    <message>
        <source>Also &amp;as:</source>
        <translation>Auch &amp;als:</translation>
    </message>
    <message>
        <source>The set as it will be written</source>
        <translation>Der Satz, wie er geschrieben wird</translation>
    </message>
    <message>
        <source>Export progress</source>
        <translation>Fortschritt des Exports</translation>
    </message>
    <message>
        <source>Buttons of %1 x %2 pixels, one row for each caption, one column for each look: %3</source>
        <translation>Schaltflächen zu %1 × %2 Pixeln, eine Zeile je Beschriftung, eine Spalte je Zustand: %3</translation>
    </message>
    <message>
        <source>Note: %1.</source>
        <translation>Hinweis: %1.</translation>
    </message>
    <message>
        <source>Note: %1, and %2 more.</source>
        <translation>Hinweis: %1, und %2 weitere.</translation>
    </message>
</context>
<context>
    <name>vorbel::ui::HelpViewer</name>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>&amp;Back</source>
        <translation>&amp;Zurück</translation>
    </message>
    <message>
        <source>&amp;Forward</source>
        <translation>&amp;Vorwärts</translation>
    </message>
    <message>
        <source>Type the first letters of a keyword</source>
        <translation>Geben Sie die ersten Buchstaben eines Stichworts ein</translation>
    </message>
    <message>
        <source>&amp;Keyword:</source>
        <translation>&amp;Stichwort:</translation>
    </message>
    <message>
        <source>&amp;Contents</source>
        <translation>&amp;Inhalt</translation>
    </message>
    <message>
        <source>&amp;Index</source>
        <translation>In&amp;dex</translation>
    </message>
    <message>
        <source>Cannot open %1: %2</source>
        <translation>%1 lässt sich nicht öffnen: %2</translation>
    </message>
    <message>
        <source>%1 is too large for a help file</source>
        <translation>%1 ist zu groß für eine Hilfedatei</translation>
    </message>
    <message>
        <source>Topics with this keyword:</source>
        <translation>Themen mit diesem Stichwort:</translation>
    </message>
    <message>
        <source>Navigation</source>
        <translation>Navigation</translation>
    </message>
    <message>
        <source>Contents</source>
        <translation>Inhalt</translation>
    </message>
    <message>
        <source>The help&apos;s topics; Enter or a click shows one</source>
        <translation>Die Themen der Hilfe; die Eingabetaste oder ein Klick zeigt eines an</translation>
    </message>
    <message>
        <source>Keyword</source>
        <translation>Stichwort</translation>
    </message>
    <message>
        <source>Index</source>
        <translation>Index</translation>
    </message>
    <message>
        <source>The help&apos;s keywords in alphabetical order; Enter shows the topic</source>
        <translation>Die Stichwörter der Hilfe in alphabetischer Reihenfolge; die Eingabetaste zeigt ihr Thema an</translation>
    </message>
    <message>
        <source>Contents and index</source>
        <translation>Inhalt und Index</translation>
    </message>
    <message>
        <source>Help page</source>
        <translation>Hilfeseite</translation>
    </message>
</context>
<context>
    <name>vorbel::ui::ImageLayerDialog</name>
    <message>
        <source>Image</source>
        <translation>Bild</translation>
    </message>
    <message>
        <source>|Get the background from a file</source>
        <translation>|Das Bild aus einer Datei laden</translation>
    </message>
    <message>
        <source>Transparent</source>
        <translation>Transparent</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>vorbel::ui::LayerListModel</name>
    <message>
        <source>Type</source>
        <translation>Typ</translation>
    </message>
    <message>
        <source>Properties</source>
        <translation>Eigenschaften</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>Links</translation>
    </message>
    <message>
        <source>Top</source>
        <translation>Oben</translation>
    </message>
</context>
<context>
    <name>vorbel::ui::LayerTypeDialog</name>
    <message>
        <source>New</source>
        <translation>Neu</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Typ</translation>
    </message>
    <message>
        <source>Background</source>
        <translation>Hintergrund</translation>
    </message>
    <message>
        <source>Bevel</source>
        <translation>Abschrägung</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>Image</source>
        <translation>Bild</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>vorbel::ui::MainWindow</name>
    <message>
        <source>&amp;New</source>
        <translation>&amp;Neu</translation>
    </message>
    <message>
        <source>New</source>
        <translation>Neu</translation>
    </message>
    <message>
        <source>New (Ctrl+N)|Start a new layout</source>
        <translation>Neu (Strg+N)|Ein neues Layout beginnen</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>Ö&amp;ffnen …</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Open (Ctrl+O)|Open a layout file</source>
        <translation>Öffnen (Strg+O)|Eine Layoutdatei öffnen</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Speichern</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Save (Ctrl+S)|Save the layout</source>
        <translation>Speichern (Strg+S)|Das Layout speichern</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>Speichern &amp;unter …</translation>
    </message>
    <message>
        <source>&amp;Export...</source>
        <translation>&amp;Exportieren …</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Exportieren</translation>
    </message>
    <message>
        <source>Export (Ctrl+E)|Save the button as a picture</source>
        <translation>Exportieren (Strg+E)|Die Schaltfläche als Bild speichern</translation>
    </message>
    <message>
        <source>Export Se&amp;t...</source>
        <translation>Sa&amp;tz exportieren …</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;Refresh</source>
        <translation>&amp;Aktualisieren</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>Aktualisieren</translation>
    </message>
    <message>
        <source>Refresh (F5)|Redraw the image</source>
        <translation>Aktualisieren (F5)|Das Bild neu zeichnen</translation>
    </message>
    <message>
        <source>&amp;New...</source>
        <translation>&amp;Neu …</translation>
    </message>
    <message>
        <source>Add layer</source>
        <translation>Ebene hinzufügen</translation>
    </message>
    <message>
        <source>Add layer|Add a new layer</source>
        <translation>Ebene hinzufügen|Eine neue Ebene hinzufügen</translation>
    </message>
    <message>
        <source>&amp;Edit...</source>
        <translation>&amp;Bearbeiten …</translation>
    </message>
    <message>
        <source>&amp;Delete...</source>
        <translation>&amp;Löschen …</translation>
    </message>
    <message>
        <source>Delete layer</source>
        <translation>Ebene löschen</translation>
    </message>
    <message>
        <source>Delete layer|Delete the current layer</source>
        <translation>Ebene löschen|Die aktuelle Ebene löschen</translation>
    </message>
    <message>
        <source>Move &amp;up</source>
        <translation>Nach &amp;oben</translation>
    </message>
    <message>
        <source>Move Layer Up</source>
        <translation>Ebene nach oben</translation>
    </message>
    <message>
        <source>Move Layer Up|Move the current layer upwards</source>
        <translation>Ebene nach oben|Die aktuelle Ebene nach oben verschieben</translation>
    </message>
    <message>
        <source>Move do&amp;wn</source>
        <translation>Nach &amp;unten</translation>
    </message>
    <message>
        <source>Move Layer Down</source>
        <translation>Ebene nach unten</translation>
    </message>
    <message>
        <source>Move Layer Down|Move the current layer towards the top of the image</source>
        <translation>Ebene nach unten|Die aktuelle Ebene in der Liste nach unten verschieben, im Bild nach vorn</translation>
    </message>
    <message>
        <source>&amp;Toggle visibility</source>
        <translation>&amp;Sichtbarkeit umschalten</translation>
    </message>
    <message>
        <source>Show &amp;Transparency</source>
        <translation>&amp;Transparenz zeigen</translation>
    </message>
    <message>
        <source>&amp;Contents</source>
        <translation>&amp;Inhalt</translation>
    </message>
    <message>
        <source>&amp;Search...</source>
        <translation>&amp;Suchen …</translation>
    </message>
    <message>
        <source>&amp;About...</source>
        <translation>Ü&amp;ber …</translation>
    </message>
    <message>
        <source>Write a set of buttons, one for each caption of a list, in several looks and sizes</source>
        <translation>Einen Satz Schaltflächen schreiben, eine für jede Beschriftung einer Liste, in mehreren Zuständen und Größen</translation>
    </message>
    <message>
        <source>Show the transparent pixels of the button over a checkerboard instead of the work area</source>
        <translation>Die transparenten Pixel der Schaltfläche über einem Schachbrett statt über der Arbeitsfläche zeigen</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>Open &amp;Recent</source>
        <translation>Zuletzt &amp;geöffnet</translation>
    </message>
    <message>
        <source>&amp;Layer</source>
        <translation>&amp;Ebene</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Rückgängig</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Wiederherstellen</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>&amp;%1 %</source>
        <translation>&amp;%1 %</translation>
    </message>
    <message>
        <source>Zoom &amp;In</source>
        <translation>Ver&amp;größern</translation>
    </message>
    <message>
        <source>Zoom &amp;Out</source>
        <translation>Ver&amp;kleinern</translation>
    </message>
    <message>
        <source>Standard</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>Offset</source>
        <translation>Versatz</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>Links</translation>
    </message>
    <message>
        <source>Set the left offset of the current layer</source>
        <translation>Den linken Versatz der aktuellen Ebene festlegen</translation>
    </message>
    <message>
        <source>Move the current layer right or left by one pixel</source>
        <translation>Die aktuelle Ebene um ein Pixel nach rechts oder links verschieben</translation>
    </message>
    <message>
        <source>Top</source>
        <translation>Oben</translation>
    </message>
    <message>
        <source>Set the top offset of the current layer</source>
        <translation>Den oberen Versatz der aktuellen Ebene festlegen</translation>
    </message>
    <message>
        <source>Move the current layer down or up by one pixel</source>
        <translation>Die aktuelle Ebene um ein Pixel nach unten oder oben verschieben</translation>
    </message>
    <message>
        <source>Height</source>
        <translation>Höhe</translation>
    </message>
    <message>
        <source>|Set the overall height of the button</source>
        <translation>|Die Gesamthöhe der Schaltfläche festlegen</translation>
    </message>
    <message>
        <source>Width</source>
        <translation>Breite</translation>
    </message>
    <message>
        <source>|Set the overall width of the button</source>
        <translation>|Die Gesamtbreite der Schaltfläche festlegen</translation>
    </message>
    <message>
        <source>Work area color</source>
        <translation>Arbeitsflächenfarbe</translation>
    </message>
    <message>
        <source>|Set the background of the work area</source>
        <translation>|Den Hintergrund der Arbeitsfläche festlegen</translation>
    </message>
    <message>
        <source>Show image border</source>
        <translation>Bildrand zeigen</translation>
    </message>
    <message>
        <source>&amp;Transparent in pictures</source>
        <translation>&amp;Transparent in Bildern</translation>
    </message>
    <message>
        <source>Every pixel of the work area color</source>
        <translation>Jedes Pixel in Arbeitsflächenfarbe</translation>
    </message>
    <message>
        <source>Everything no layer paints</source>
        <translation>Alles, was keine Ebene malt</translation>
    </message>
    <message>
        <source>|Choose which pixels are transparent in exported pictures: those of exactly the work area color, even where a layer paints it, or those that no layer paints</source>
        <translation>|Wählen, welche Pixel in exportierten Bildern transparent sind: die genau in Arbeitsflächenfarbe, auch wo eine Ebene sie malt, oder die, die keine Ebene malt</translation>
    </message>
    <message>
        <source>S&amp;mooth edges</source>
        <translation>&amp;Glatte Kanten</translation>
    </message>
    <message>
        <source>|Draw text, shapes, lines and bevels with smooth (anti-aliased) edges</source>
        <translation>|Text, Formen, Linien und Abschrägungen mit glatten (kantengeglätteten) Rändern zeichnen</translation>
    </message>
    <message>
        <source>M&amp;atte for GIF, JPEG and BMP</source>
        <translation>&amp;Mattfarbe für GIF, JPEG und BMP</translation>
    </message>
    <message>
        <source>|Choose the color of the page the button is for: formats without partial transparency blend smooth edges onto it, and JPEG and BMP fill transparent pixels with it</source>
        <translation>|Die Farbe der Seite wählen, für die die Schaltfläche gedacht ist: Formate ohne teilweise Transparenz mischen glatte Kanten mit ihr, und JPEG und BMP füllen transparente Pixel damit</translation>
    </message>
    <message>
        <source>Same as the work area color</source>
        <translation>Wie die Arbeitsflächenfarbe</translation>
    </message>
    <message>
        <source>Randomize</source>
        <translation>Zufällig</translation>
    </message>
    <message>
        <source>Button</source>
        <translation>Schaltfläche</translation>
    </message>
    <message>
        <source>Layers</source>
        <translation>Ebenen</translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation>Bestätigen</translation>
    </message>
    <message>
        <source>Delete this layer?</source>
        <translation>Diese Ebene löschen?</translation>
    </message>
    <message>
        <source>Vorbelkit files (*.vrb)</source>
        <translation>Vorbelkit-Dateien (*.vrb)</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>Speichern unter</translation>
    </message>
    <message>
        <source>The file %1 does not exist.</source>
        <translation>Die Datei %1 gibt es nicht.</translation>
    </message>
    <message>
        <source>%1 already exists.
Do you want to replace it?</source>
        <translation>%1 gibt es schon.
Möchten Sie die Datei ersetzen?</translation>
    </message>
    <message>
        <source>&amp;%1 %2</source>
        <translation>&amp;%1 %2</translation>
    </message>
    <message>
        <source>&amp;Clear Menu</source>
        <translation>Menü &amp;leeren</translation>
    </message>
    <message>
        <source>The button is too large to draw: at most %1 pixels a side and %2 million pixels in all.</source>
        <translation>Die Schaltfläche ist zu groß zum Zeichnen: höchstens %1 Pixel je Seite und %2 Millionen Pixel insgesamt.</translation>
    </message>
    <message>
        <source>&amp;Undo %1</source>
        <translation>&amp;Rückgängig: %1</translation>
    </message>
    <message>
        <source>&amp;Redo %1</source>
        <translation>&amp;Wiederherstellen: %1</translation>
    </message>
    <message>
        <source>There is not enough memory to draw the button.</source>
        <translation>Der Speicher reicht nicht, um die Schaltfläche zu zeichnen.</translation>
    </message>
    <message>
        <source>1 pixel of the button has the work-area colour and will be transparent</source>
        <translation>1 Pixel der Schaltfläche hat die Arbeitsflächenfarbe und wird transparent</translation>
    </message>
    <message>
        <source>%1 pixels of the button have the work-area colour and will be transparent</source>
        <translation>%1 Pixel der Schaltfläche haben die Arbeitsflächenfarbe und werden transparent</translation>
    </message>
    <message>
        <source>Painted pixels of the work area color are left out of the pictures while &quot;Transparent in pictures&quot; on the Button page is &quot;Every pixel of the work area color&quot;; choose &quot;Everything no layer paints&quot; to keep them.</source>
        <translation>Gemalte Pixel in Arbeitsflächenfarbe fehlen in den Bildern, solange „Transparent in Bildern“ auf der Seite „Schaltfläche“ auf „Jedes Pixel in Arbeitsflächenfarbe“ steht; wählen Sie „Alles, was keine Ebene malt“, um sie zu behalten.</translation>
    </message>
    <message>
        <source>Left offset</source>
        <translation>Linker Versatz</translation>
    </message>
    <message>
        <source>Up moves the current layer right, Down moves it left</source>
        <translation>Der Pfeil nach oben verschiebt die aktuelle Ebene nach rechts, der Pfeil nach unten nach links</translation>
    </message>
    <message>
        <source>Move right</source>
        <translation>Nach rechts verschieben</translation>
    </message>
    <message>
        <source>Move left</source>
        <translation>Nach links verschieben</translation>
    </message>
    <message>
        <source>Top offset</source>
        <translation>Oberer Versatz</translation>
    </message>
    <message>
        <source>Up moves the current layer down, Down moves it up</source>
        <translation>Der Pfeil nach oben verschiebt die aktuelle Ebene nach unten, der Pfeil nach unten nach oben</translation>
    </message>
    <message>
        <source>Move down</source>
        <translation>Nach unten verschieben</translation>
    </message>
    <message>
        <source>Move up</source>
        <translation>Nach oben verschieben</translation>
    </message>
    <message>
        <source>Button preview</source>
        <translation>Vorschau der Schaltfläche</translation>
    </message>
    <message>
        <source>Button and layers</source>
        <translation>Schaltfläche und Ebenen</translation>
    </message>
    <message>
        <source>The button&apos;s height in pixels</source>
        <translation>Die Höhe der Schaltfläche in Pixeln</translation>
    </message>
    <message>
        <source>The button&apos;s width in pixels</source>
        <translation>Die Breite der Schaltfläche in Pixeln</translation>
    </message>
    <message>
        <source>The color round the layers, and of the pixels no layer paints</source>
        <translation>Die Farbe um die Ebenen herum und die der Pixel, die keine Ebene malt</translation>
    </message>
    <message>
        <source>The layers of the button, one a row: type, properties, left and top offset; Enter edits one</source>
        <translation>Die Ebenen der Schaltfläche, eine je Zeile: Typ, Eigenschaften, linker und oberer Versatz; die Eingabetaste bearbeitet eine</translation>
    </message>
    <message>
        <source>Button preview: %1</source>
        <translation>Vorschau der Schaltfläche: %1</translation>
    </message>
    <message>
        <source>1 layer</source>
        <translation>1 Ebene</translation>
    </message>
    <message>
        <source>%1 layers</source>
        <translation>%1 Ebenen</translation>
    </message>
    <message>
        <source>Button preview, %1 by %2 pixels, %3</source>
        <translation>Vorschau der Schaltfläche, %1 × %2 Pixel, %3</translation>
    </message>
</context>
<context>
    <name>vorbel::ui::MatteNote</name>
    <message>
        <source>Smooth edges are blended onto the matte, %1; pixels less than half covered stay transparent.</source>
        <translation>Glatte Kanten werden mit der Mattfarbe %1 gemischt; Pixel, die weniger als halb bedeckt sind, bleiben transparent.</translation>
    </message>
    <message>
        <source>Transparent pixels are filled with the matte, %1, and smooth edges are blended onto it.</source>
        <translation>Transparente Pixel werden mit der Mattfarbe %1 gefüllt, und glatte Kanten werden mit ihr gemischt.</translation>
    </message>
</context>
<context>
    <name>vorbel::ui::OffsetPrompt</name>
    <message>
        <source>New value</source>
        <translation>Neuer Wert</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>vorbel::ui::PictureChooser</name>
    <message>
        <source>All supported files (*.jpeg *.jpg *.bmp)</source>
        <translation>Alle unterstützten Dateien (*.jpeg *.jpg *.bmp)</translation>
    </message>
    <message>
        <source>JPEG files (*.jpeg *.jpg)</source>
        <translation>JPEG-Dateien (*.jpeg *.jpg)</translation>
    </message>
    <message>
        <source>Bitmap files (*.bmp)</source>
        <translation>Bitmap-Dateien (*.bmp)</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Picture preview</source>
        <translation>Bildvorschau</translation>
    </message>
</context>
<context>
    <name>vorbel::ui::PicturePreview</name>
    <message>
        <source>No preview</source>
        <translation>Keine Vorschau</translation>
    </message>
    <message>
        <source>%1 x %2</source>
        <translation>%1 × %2</translation>
    </message>
</context>
<context>
    <name>vorbel::ui::SplashWindow</name>
    <message>
        <source>Version %1</source>
        <translation>Version %1</translation>
    </message>
    <message>
        <source>About Vorbel</source>
        <translation>Über Vorbel</translation>
    </message>
    <message>
        <source>Copyright (C) 2026 The Vorbel developers</source>
        <translation>Copyright (C) 2026 Die Vorbel-Entwickler</translation>
    </message>
    <message>
        <source>Free software under the MIT License: you are welcome to use, change and share it.</source>
        <translation>Freie Software unter der MIT-Lizenz: Sie dürfen sie gerne nutzen, ändern und weitergeben.</translation>
    </message>
    <message>
        <source>For information visit:</source>
        <translation>Weitere Informationen unter:</translation>
    </message>
    <message>
        <source>Vorbel: buttons for the web, layer by layer</source>
        <translation>Vorbel: Schaltflächen für das Web, Ebene für Ebene</translation>
    </message>
    <message>
        <source>Web site: %1</source>
        <translation>Website: %1</translation>
    </message>
</context>
<context>
    <name>vorbel::ui::TextLayerDialog</name>
    <message>
        <source>enabled</source>
        <translation>aktiviert</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Font face</source>
        <translation>Schriftart</translation>
    </message>
    <message>
        <source>|Set the font that will be used to draw the text caption</source>
        <translation>|Die Schriftart festlegen, mit der die Beschriftung gezeichnet wird</translation>
    </message>
    <message>
        <source>Font size</source>
        <translation>Größe</translation>
    </message>
    <message>
        <source>|Set the font size that will be used to draw the text caption</source>
        <translation>|Die Schriftgröße festlegen, mit der die Beschriftung gezeichnet wird</translation>
    </message>
    <message>
        <source>Angle</source>
        <translation>Winkel</translation>
    </message>
    <message>
        <source>Color</source>
        <translation>Farbe</translation>
    </message>
    <message>
        <source>|Set the text caption&apos;s color</source>
        <translation>|Die Farbe der Beschriftung festlegen</translation>
    </message>
    <message>
        <source>Sample</source>
        <translation>Beispiel</translation>
    </message>
    <message>
        <source>Alignment</source>
        <translation>Ausrichtung</translation>
    </message>
    <message>
        <source>Click a position to place the caption there when you press OK; click it again to release it</source>
        <translation>Klicken Sie eine Position an, um die Beschriftung beim Klick auf OK dorthin zu setzen; ein zweiter Klick hebt das wieder auf</translation>
    </message>
    <message>
        <source>Effects</source>
        <translation>Effekte</translation>
    </message>
    <message>
        <source>Shadow</source>
        <translation>Schatten</translation>
    </message>
    <message>
        <source>Shadow offset</source>
        <translation>Schattenversatz</translation>
    </message>
    <message>
        <source>Shadow color</source>
        <translation>Schattenfarbe</translation>
    </message>
    <message>
        <source>|Set the caption&apos;s shadow color</source>
        <translation>|Die Schattenfarbe der Beschriftung festlegen</translation>
    </message>
    <message>
        <source>Outline</source>
        <translation>Umriss</translation>
    </message>
    <message>
        <source>Outline color</source>
        <translation>Umrissfarbe</translation>
    </message>
    <message>
        <source>|Set the caption&apos;s outline color</source>
        <translation>|Die Umrissfarbe der Beschriftung festlegen</translation>
    </message>
    <message>
        <source>Gradient</source>
        <translation>Verlauf</translation>
    </message>
    <message>
        <source>Start color</source>
        <translation>Startfarbe</translation>
    </message>
    <message>
        <source>|Set the gradient&apos;s start color</source>
        <translation>|Die Startfarbe des Verlaufs festlegen</translation>
    </message>
    <message>
        <source>End color</source>
        <translation>Endfarbe</translation>
    </message>
    <message>
        <source>|Set the gradient&apos;s end color</source>
        <translation>|Die Endfarbe des Verlaufs festlegen</translation>
    </message>
    <message>
        <source>Text pages</source>
        <translation>Seiten des Texts</translation>
    </message>
    <message>
        <source>The caption drawn in the chosen font, size and color</source>
        <translation>Die Beschriftung, gezeichnet in der gewählten Schriftart, Größe und Farbe</translation>
    </message>
    <message>
        <source>Nine positions for the caption, from top left to bottom right</source>
        <translation>Neun Positionen für die Beschriftung, von oben links bis unten rechts</translation>
    </message>
    <message>
        <source>Top left</source>
        <translation>Oben links</translation>
    </message>
    <message>
        <source>Top</source>
        <translation>Oben</translation>
    </message>
    <message>
        <source>Top right</source>
        <translation>Oben rechts</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>Links</translation>
    </message>
    <message>
        <source>Center</source>
        <translation>Mitte</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>Rechts</translation>
    </message>
    <message>
        <source>Bottom left</source>
        <translation>Unten links</translation>
    </message>
    <message>
        <source>Bottom</source>
        <translation>Unten</translation>
    </message>
    <message>
        <source>Bottom right</source>
        <translation>Unten rechts</translation>
    </message>
    <message>
        <source>Shadow enabled</source>
        <translation>Schatten aktiviert</translation>
    </message>
    <message>
        <source>Outline enabled</source>
        <translation>Umriss aktiviert</translation>
    </message>
    <message>
        <source>Gradient enabled</source>
        <translation>Verlauf aktiviert</translation>
    </message>
</context>
</TS>
