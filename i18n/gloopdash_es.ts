<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES">
<context>
    <name>BoardCells</name>
    <message>
        <source>empty</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>yellow gloop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>green gloop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>orange gloop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>purple gloop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>red gloop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>wild gloop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>transport</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>bomb</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>2x</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>3x</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>row %1, column %2: %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>column %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>row %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ChatEdit</name>
    <message>
        <source>Chat line</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type a message and press Return to send it to the table.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>GameView</name>
    <message>
        <source>Game board</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Arrow keys move the cursor; Space or Return picks the tile under it.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LanguageMenu</name>
    <message>
        <source>System Default</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Gloop Dash</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The language could not be stored.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The new language shows the next time Gloop Dash starts.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PanelChat</name>
    <message>
        <source>Chat</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Smilies</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ScorePanel</name>
    <message>
        <source>Seconds left in the mission</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time bar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Current tile</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Next tile</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tile after next</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Player in seat %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Total of seat %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Last mission&apos;s points of seat %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Watching</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SettingsBinding</name>
    <message>
        <source>Language</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>StatusAnnouncer</name>
    <message>
        <source>Game status</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Thighscore</name>
    <message>
        <source>High scores</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Tspylist</name>
    <message>
        <source>Watchers</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Tstory</name>
    <message>
        <source>The Story</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Ttallylist</name>
    <message>
        <source>Players In Current Game</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Players Being Tallied</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
