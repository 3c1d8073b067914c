<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<!-- A translation for the tests only, never shipped: it proves that a
     language is added by a file alone. -->
<TS version="2.1" language="de">
<context>
    <name>vorbel::ui::OffsetPrompt</name>
    <message>
        <source>New value</source>
        <translation>Neuer Wert</translation>
    </message>
</context>
<context>
    <name>vorbel::ui::LayerTypeDialog</name>
    <message>
        <source>Background</source>
        <translation>Hintergrund</translation>
    </message>
</context>
</TS>
