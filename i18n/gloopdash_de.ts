<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>BoardCells</name>
    <message>
        <source>empty</source>
        <translation>leer</translation>
    </message>
    <message>
        <source>yellow gloop</source>
        <translation>gelber Gloop</translation>
    </message>
    <message>
        <source>green gloop</source>
        <translation>grüner Gloop</translation>
    </message>
    <message>
        <source>orange gloop</source>
        <translation>oranger Gloop</translation>
    </message>
    <message>
        <source>purple gloop</source>
        <translation>violetter Gloop</translation>
    </message>
    <message>
        <source>red gloop</source>
        <translation>roter Gloop</translation>
    </message>
    <message>
        <source>wild gloop</source>
        <translation>wilder Gloop</translation>
    </message>
    <message>
        <source>transport</source>
        <translation>Transport</translation>
    </message>
    <message>
        <source>bomb</source>
        <translation>Bombe</translation>
    </message>
    <message>
        <source>2x</source>
        <translation>2x</translation>
    </message>
    <message>
        <source>3x</source>
        <translation>3x</translation>
    </message>
    <message>
        <source>row %1, column %2: %3</source>
        <translation>Zeile %1, Spalte %2: %3</translation>
    </message>
    <message>
        <source>column %1</source>
        <translation>Spalte %1</translation>
    </message>
    <message>
        <source>row %1</source>
        <translation>Zeile %1</translation>
    </message>
</context>
<context>
    <name>BoardModel</name>
    <message>
        <source>Trail Score: %1</source>
        <translation>Spurpunkte: %1</translation>
    </message>
    <message>
        <source>Transport!</source>
        <translation>Transport!</translation>
    </message>
    <message>
        <source>Invalid Tile</source>
        <translation>Ungültiger Stein</translation>
    </message>
    <message>
        <source>Invalid Move</source>
        <translation>Ungültiger Zug</translation>
    </message>
</context>
<context>
    <name>ChatEdit</name>
    <message>
        <source>Chat line</source>
        <translation>Chatzeile</translation>
    </message>
    <message>
        <source>Type a message and press Return to send it to the table.</source>
        <translation>Nachricht eingeben und mit der Eingabetaste an den Tisch senden.</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Einfügen</translation>
    </message>
    <message>
        <source>&lt;Enter Chat Here&gt;</source>
        <translation>&lt;Chat hier eingeben&gt;</translation>
    </message>
</context>
<context>
    <name>ChatMenu</name>
    <message>
        <source>Text Color</source>
        <translation>Textfarbe</translation>
    </message>
    <message>
        <source>Text Size</source>
        <translation>Textgröße</translation>
    </message>
    <message>
        <source>Scroll Chat Off</source>
        <translation>Chat nicht mitrollen</translation>
    </message>
    <message>
        <source>Clear Main Chat</source>
        <translation>Hauptchat leeren</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopieren</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>Alles auswählen</translation>
    </message>
</context>
<context>
    <name>ChatterSounds</name>
    <message>
        <source>Doh</source>
        <translation>Verflixt</translation>
    </message>
    <message>
        <source>Cough</source>
        <translation>Husten</translation>
    </message>
    <message>
        <source>Hello</source>
        <translation>Hallo</translation>
    </message>
    <message>
        <source>Thank You</source>
        <translation>Danke</translation>
    </message>
    <message>
        <source>Where have you been?</source>
        <translation>Wo warst du?</translation>
    </message>
    <message>
        <source>Snoring</source>
        <translation>Schnarchen</translation>
    </message>
    <message>
        <source>Sneezing</source>
        <translation>Niesen</translation>
    </message>
    <message>
        <source>Sorry</source>
        <translation>Entschuldigung</translation>
    </message>
    <message>
        <source>Welcome</source>
        <translation>Willkommen</translation>
    </message>
    <message>
        <source>Yeehaa</source>
        <translation>Juhu</translation>
    </message>
    <message>
        <source>Yippee</source>
        <translation>Hurra</translation>
    </message>
    <message>
        <source>Oh No</source>
        <translation>Oh nein</translation>
    </message>
    <message>
        <source>Applause</source>
        <translation>Applaus</translation>
    </message>
    <message>
        <source>Honk</source>
        <translation>Hupe</translation>
    </message>
    <message>
        <source>Oooh</source>
        <translation>Uiii</translation>
    </message>
    <message>
        <source>Razzberry</source>
        <translation>Pfff</translation>
    </message>
    <message>
        <source>Cheer</source>
        <translation>Jubel</translation>
    </message>
    <message>
        <source>Woman Laughing</source>
        <translation>Lachende Frau</translation>
    </message>
    <message>
        <source>Man Laughing</source>
        <translation>Lachender Mann</translation>
    </message>
    <message>
        <source>Crying</source>
        <translation>Weinen</translation>
    </message>
    <message>
        <source>%1: &lt;Chatter Sound&gt; %2</source>
        <translation>%1: &lt;Chat-Ton&gt; %2</translation>
    </message>
</context>
<context>
    <name>ClientCommands</name>
    <message>
        <source>%1 has a different version of the game then you.</source>
        <translation>%1 hat eine andere Version des Spiels als du.</translation>
    </message>
    <message>
        <source>You have a differnt version of the game then the host.</source>
        <translation>Du hast eine andere Spielversion als der Gastgeber.</translation>
    </message>
    <message>
        <source>%1 is ignored.</source>
        <translation>%1 wird ignoriert.</translation>
    </message>
</context>
<context>
    <name>ConnectionController</name>
    <message>
        <source>Could not join %1: the connection was refused. Nobody hosts a game there.</source>
        <translation>Beitritt zu %1 nicht möglich: Die Verbindung wurde abgelehnt. Dort richtet niemand ein Spiel aus.</translation>
    </message>
    <message>
        <source>Could not join %1: there is no such host.</source>
        <translation>Beitritt zu %1 nicht möglich: Diesen Rechner gibt es nicht.</translation>
    </message>
    <message>
        <source>Could not join %1: the host cannot be reached.</source>
        <translation>Beitritt zu %1 nicht möglich: Der Rechner ist nicht erreichbar.</translation>
    </message>
    <message>
        <source>Could not join %1: no game answered within 5 seconds.</source>
        <translation>Beitritt zu %1 nicht möglich: Innerhalb von 5 Sekunden hat kein Spiel geantwortet.</translation>
    </message>
    <message>
        <source>Could not join %1: what answers there is not a Gloop Dash game.</source>
        <translation>Beitritt zu %1 nicht möglich: Was dort antwortet, ist kein Gloop-Dash-Spiel.</translation>
    </message>
    <message>
        <source>Loading Solo Game..Please wait.</source>
        <translation>Einzelspiel wird geladen … Bitte warten.</translation>
    </message>
    <message>
        <source>Loading Multi-player Game.. Please Wait.</source>
        <translation>Mehrspielerpartie wird geladen … Bitte warten.</translation>
    </message>
    <message>
        <source>A game is running. Leave it?</source>
        <translation>Ein Spiel läuft. Verlassen?</translation>
    </message>
    <message>
        <source>Hosting a game on port %1..</source>
        <translation>Spiel wird auf Port %1 ausgerichtet …</translation>
    </message>
    <message>
        <source>Joining %1..</source>
        <translation>Beitritt zu %1 …</translation>
    </message>
    <message>
        <source>Could not host on port %1: it is in use.</source>
        <translation>Ausrichten auf Port %1 nicht möglich: Er ist belegt.</translation>
    </message>
    <message>
        <source>Listen - Error Binding Socket</source>
        <translation>Lauschen – Fehler beim Binden des Sockets</translation>
    </message>
</context>
<context>
    <name>GameBrowser</name>
    <message>
        <source>No games have answered from this network yet. A game shows here within two seconds of being hosted. If one is missing: the host&apos;s computer must be on the same network as yours, and its firewall must let UDP and TCP on the game port (7772 unless the host chose another) in. A game on another port is found once you add that port below.</source>
        <translation>Aus diesem Netz hat noch kein Spiel geantwortet. Ein Spiel erscheint hier spätestens zwei Sekunden, nachdem es ausgerichtet wurde. Falls eines fehlt: Der Rechner des Gastgebers muss im selben Netz sein wie deiner, und seine Firewall muss UDP und TCP auf dem Spielport hereinlassen (7772, wenn der Gastgeber keinen anderen gewählt hat). Ein Spiel auf einem anderen Port wird gefunden, sobald du diesen Port unten hinzufügst.</translation>
    </message>
    <message>
        <source>Local Network</source>
        <translation>Lokales Netz</translation>
    </message>
    <message>
        <source>port</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>Look on Port</source>
        <translation>Auf Port suchen</translation>
    </message>
    <message>
        <source>Also look for games on port:</source>
        <translation>Auch auf diesem Port nach Spielen suchen:</translation>
    </message>
</context>
<context>
    <name>GameOverlays</name>
    <message>
        <source>Welcome to Gloop Dash!</source>
        <translation>Willkommen bei Gloop Dash!</translation>
    </message>
    <message>
        <source>Welcome To Gloop Dash</source>
        <translation>Willkommen bei Gloop Dash</translation>
    </message>
    <message>
        <source>Winner!</source>
        <translation>Gewonnen!</translation>
    </message>
    <message>
        <source>Has Won the Game!!</source>
        <translation>hat das Spiel gewonnen!!</translation>
    </message>
    <message>
        <source>Just watching: picking is closed</source>
        <translation>Nur zuschauen: Ziehen ist gesperrt</translation>
    </message>
    <message>
        <source>START</source>
        <extracomment>Upper of the two words painted on the start button (room for about 8 capitals).</extracomment>
        <translation>SPIEL</translation>
    </message>
    <message>
        <source>GAME</source>
        <extracomment>Lower of the two words painted on the start button.</extracomment>
        <translation>STARTEN</translation>
    </message>
    <message>
        <source>Start Game</source>
        <translation>Spiel starten</translation>
    </message>
</context>
<context>
    <name>GameView</name>
    <message>
        <source>Game board</source>
        <translation>Spielbrett</translation>
    </message>
    <message>
        <source>Arrow keys move the cursor; Space or Return picks the tile under it.</source>
        <translation>Die Pfeiltasten bewegen den Cursor; Leertaste oder Eingabetaste nimmt das Feld darunter.</translation>
    </message>
</context>
<context>
    <name>HostGameDialog</name>
    <message>
        <source>Host a Multi-player Game</source>
        <translation>Mehrspielerpartie ausrichten</translation>
    </message>
    <message>
        <source>Host</source>
        <translation>Ausrichten</translation>
    </message>
    <message>
        <source>Your name:</source>
        <translation>Dein Name:</translation>
    </message>
    <message>
        <source>Port:</source>
        <translation>Port:</translation>
    </message>
    <message>
        <source>List this game on the internet</source>
        <translation>Dieses Spiel im Internet auflisten</translation>
    </message>
</context>
<context>
    <name>JoinGameDialog</name>
    <message>
        <source>Join a Multi-player Game</source>
        <translation>Mehrspielerpartie beitreten</translation>
    </message>
    <message>
        <source>host, host:port or [IPv6 address]:port</source>
        <translation>Rechner, Rechner:Port oder [IPv6-Adresse]:Port</translation>
    </message>
    <message>
        <source>Join</source>
        <translation>Beitreten</translation>
    </message>
    <message>
        <source>Your name:</source>
        <translation>Dein Name:</translation>
    </message>
    <message>
        <source>Address:</source>
        <translation>Adresse:</translation>
    </message>
    <message>
        <source>Please enter your name.</source>
        <translation>Bitte gib deinen Namen ein.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not an address. Write host, host:port or [IPv6 address]:port.</source>
        <translation>„%1“ ist keine Adresse. Schreibe Rechner, Rechner:Port oder [IPv6-Adresse]:Port.</translation>
    </message>
    <message>
        <source>Internet</source>
        <translation>Internet</translation>
    </message>
    <message>
        <source>No game is listed on the internet right now, or the list cannot be reached. The list is asked again every few seconds while this tab is in front.</source>
        <translation>Im Internet ist gerade kein Spiel aufgelistet, oder die Liste ist nicht erreichbar. Solange dieser Reiter vorne ist, wird die Liste alle paar Sekunden neu abgefragt.</translation>
    </message>
</context>
<context>
    <name>LanguageMenu</name>
    <message>
        <source>System Default</source>
        <translation>Systemvorgabe</translation>
    </message>
    <message>
        <source>The language could not be stored.</source>
        <translation>Die Sprache konnte nicht gespeichert werden.</translation>
    </message>
    <message>
        <source>The new language shows the next time Gloop Dash starts.</source>
        <translation>Die neue Sprache erscheint beim nächsten Start von Gloop Dash.</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>The host does not answer. No game was found at %1.</source>
        <translation>Der Gastgeber antwortet nicht. Unter %1 wurde kein Spiel gefunden.</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>Start Game</source>
        <translation>Spiel starten</translation>
    </message>
    <message>
        <source>Host a Multi-player Game…</source>
        <translation>Mehrspielerpartie ausrichten …</translation>
    </message>
    <message>
        <source>Join a Multi-player Game…</source>
        <translation>Mehrspielerpartie beitreten …</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>&amp;Optionen</translation>
    </message>
    <message>
        <source>Just Watch</source>
        <translation>Nur zuschauen</translation>
    </message>
    <message>
        <source>Reset Screen Location</source>
        <translation>Fensterposition zurücksetzen</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>View Tally</source>
        <translation>Strichliste anzeigen</translation>
    </message>
    <message>
        <source>Spy List</source>
        <translation>Zuschauerliste</translation>
    </message>
    <message>
        <source>Phrase List</source>
        <translation>Satzliste</translation>
    </message>
    <message>
        <source>The Story</source>
        <translation>Die Geschichte</translation>
    </message>
    <message>
        <source>Normal High Scores</source>
        <translation>Normale Highscores</translation>
    </message>
    <message>
        <source>Classic High Scores</source>
        <translation>Klassische Highscores</translation>
    </message>
    <message>
        <source>Go to the Board</source>
        <translation>Zum Spielbrett</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>Content</source>
        <translation>Inhalt</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Über</translation>
    </message>
    <message>
        <source>Game is full</source>
        <translation>Das Spiel ist voll</translation>
    </message>
    <message>
        <source>You were removed from the game.</source>
        <translation>Du wurdest aus dem Spiel entfernt.</translation>
    </message>
    <message>
        <source>The connection to the game has closed.</source>
        <translation>Die Verbindung zum Spiel wurde beendet.</translation>
    </message>
    <message>
        <source>You host this game. Leaving ends it for everyone. Leave?</source>
        <translation>Du richtest dieses Spiel aus. Wenn du gehst, endet es für alle. Verlassen?</translation>
    </message>
</context>
<context>
    <name>PanelChat</name>
    <message>
        <source>Chat</source>
        <translation>Chat</translation>
    </message>
    <message>
        <source>Smilies</source>
        <translation>Smileys</translation>
    </message>
    <message>
        <source>A chat line that could not be read was left out.</source>
        <translation>Eine unlesbare Chatzeile wurde ausgelassen.</translation>
    </message>
    <message>
        <source>Cannot open Webpage</source>
        <translation>Webseite kann nicht geöffnet werden</translation>
    </message>
</context>
<context>
    <name>PathReplayPanel</name>
    <message>
        <source>Winner&apos;s Path</source>
        <translation>Weg des Siegers</translation>
    </message>
    <message>
        <source>Current</source>
        <translation>Aktuell</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Nächste</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Score</source>
        <translation>Punkte</translation>
    </message>
    <message>
        <source>Your options are not set to view the winner&apos;s path.</source>
        <translation>Laut deinen Optionen wird der Weg des Siegers nicht gezeigt.</translation>
    </message>
</context>
<context>
    <name>PhraseButtons</name>
    <message>
        <source>See ya!</source>
        <translation>Bis dann!</translation>
    </message>
</context>
<context>
    <name>PlayerListController</name>
    <message>
        <source>Remove From Game</source>
        <translation>Aus dem Spiel entfernen</translation>
    </message>
    <message>
        <source>Set to Just Watch</source>
        <translation>Auf Zuschauen setzen</translation>
    </message>
    <message>
        <source>Ignore</source>
        <translation>Ignorieren</translation>
    </message>
    <message>
        <source>Mute Sounds</source>
        <translation>Töne stummschalten</translation>
    </message>
    <message>
        <source>Ignored</source>
        <translation>Ignoriert</translation>
    </message>
    <message>
        <source>Sounds muted</source>
        <translation>Töne stumm</translation>
    </message>
    <message>
        <source>You are Connected.</source>
        <translation>Du bist verbunden.</translation>
    </message>
    <message>
        <source>%1 is Connected.</source>
        <translation>%1 ist verbunden.</translation>
    </message>
    <message>
        <source>You are spying.</source>
        <translation>Du schaust zu.</translation>
    </message>
    <message>
        <source>%1 is spying.</source>
        <translation>%1 schaut zu.</translation>
    </message>
    <message>
        <source>%1 was removed from the game.</source>
        <translation>%1 wurde aus dem Spiel entfernt.</translation>
    </message>
    <message>
        <source>%1 disconnected.</source>
        <translation>%1 hat die Verbindung verloren.</translation>
    </message>
    <message>
        <source>%1 has left.</source>
        <translation>%1 ist gegangen.</translation>
    </message>
    <message>
        <source>%1 is just watching</source>
        <translation>%1 schaut nur zu</translation>
    </message>
    <message>
        <source>%1 now playing again</source>
        <translation>%1 spielt wieder mit</translation>
    </message>
    <message>
        <source>Unable to keep the list of ignored players.</source>
        <translation>Die Liste der ignorierten Spieler kann nicht gespeichert werden.</translation>
    </message>
    <message>
        <source>Just Watch works only while a game is running.</source>
        <translation>Nur zuschauen geht nur, während ein Spiel läuft.</translation>
    </message>
</context>
<context>
    <name>ProgramWindows</name>
    <message>
        <source>A game is running. Start a new one for everyone?</source>
        <translation>Ein Spiel läuft. Für alle ein neues starten?</translation>
    </message>
</context>
<context>
    <name>Reconnector</name>
    <message>
        <source>You are back at the table. Your board comes back with the next deal.</source>
        <translation>Du bist zurück am Tisch. Dein Brett erscheint wieder, sobald neu verteilt wird.</translation>
    </message>
    <message>
        <source>You are back at the table.</source>
        <translation>Du bist zurück am Tisch.</translation>
    </message>
    <message>
        <source>Connection status</source>
        <translation>Verbindungsstatus</translation>
    </message>
    <message>
        <source>Connection lost — reconnecting… (%1 s)</source>
        <translation>Verbindung verloren – wird wiederhergestellt … (%1 s)</translation>
    </message>
</context>
<context>
    <name>ScorePanel</name>
    <message>
        <source>Seconds left in the mission</source>
        <translation>Verbleibende Sekunden der Mission</translation>
    </message>
    <message>
        <source>Time bar</source>
        <translation>Zeitbalken</translation>
    </message>
    <message>
        <source>Current tile</source>
        <translation>Aktueller Stein</translation>
    </message>
    <message>
        <source>Next tile</source>
        <translation>Nächster Stein</translation>
    </message>
    <message>
        <source>Tile after next</source>
        <translation>Übernächster Stein</translation>
    </message>
    <message>
        <source>Player in seat %1</source>
        <translation>Spieler auf Platz %1</translation>
    </message>
    <message>
        <source>Total of seat %1</source>
        <translation>Gesamtpunkte von Platz %1</translation>
    </message>
    <message>
        <source>Last mission&apos;s points of seat %1</source>
        <translation>Punkte der letzten Mission von Platz %1</translation>
    </message>
    <message>
        <source>Watching</source>
        <translation>Schaut zu</translation>
    </message>
    <message>
        <source>Help Save Pibbo!!</source>
        <translation>Hilf, Pibbo zu retten!!</translation>
    </message>
    <message>
        <source>CURRENT</source>
        <translation>AKTUELL</translation>
    </message>
    <message>
        <source>NEXT</source>
        <translation>NÄCHSTER</translation>
    </message>
    <message>
        <source>Good Luck!</source>
        <translation>Viel Glück!</translation>
    </message>
    <message>
        <source>Total</source>
        <translation>Gesamt</translation>
    </message>
    <message>
        <source>Last</source>
        <translation>Letzte</translation>
    </message>
    <message>
        <source>&lt;Waiting&gt;</source>
        <translation>&lt;Wartet&gt;</translation>
    </message>
</context>
<context>
    <name>SettingsBinding</name>
    <message>
        <source>Language</source>
        <translation>Sprache</translation>
    </message>
    <message>
        <source>Post High Score</source>
        <translation>Highscore senden</translation>
    </message>
    <message>
        <source>Show Winner&apos;s Path</source>
        <translation>Weg des Siegers zeigen</translation>
    </message>
    <message>
        <source>Tile Set</source>
        <translation>Steinsatz</translation>
    </message>
    <message>
        <source>List My Game on the Network</source>
        <translation>Mein Spiel im Netz auflisten</translation>
    </message>
</context>
<context>
    <name>SettingsFile</name>
    <message>
        <source>Unable to write to %1</source>
        <translation>Kann nicht nach %1 schreiben</translation>
    </message>
</context>
<context>
    <name>SingleInstance</name>
    <message>
        <source>Cannot write the lock file in %1 (the folder is full or read-only): Gloop Dash runs without its check for another running copy.</source>
        <translation>Die Sperrdatei in %1 kann nicht geschrieben werden (der Ordner ist voll oder schreibgeschützt): Gloop Dash läuft ohne die Prüfung auf eine andere laufende Kopie.</translation>
    </message>
</context>
<context>
    <name>SoundsPopup</name>
    <message>
        <source>&lt;Cancel&gt;</source>
        <translation>&lt;Abbrechen&gt;</translation>
    </message>
    <message>
        <source>Play Sounds</source>
        <translation>Töne abspielen</translation>
    </message>
    <message>
        <source>Play Chatter Sounds</source>
        <translation>Chat-Töne abspielen</translation>
    </message>
</context>
<context>
    <name>StatusAnnouncer</name>
    <message>
        <source>Game status</source>
        <translation>Spielstand</translation>
    </message>
</context>
<context>
    <name>TableListModel</name>
    <message>
        <source>standard</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>classic</source>
        <translation>klassisch</translation>
    </message>
    <message>
        <source>%1 of %2 (%3 bots)</source>
        <translation>%1 von %2 (%3 Bots)</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 von %2</translation>
    </message>
    <message>
        <source>waiting</source>
        <translation>wartet</translation>
    </message>
    <message>
        <source>mission %1 of %2, %3</source>
        <translation>Mission %1 von %2, %3</translation>
    </message>
    <message>
        <source>%1, version %2</source>
        <translation>%1, Version %2</translation>
    </message>
    <message>
        <source>Table</source>
        <translation>Tisch</translation>
    </message>
    <message>
        <source>Players</source>
        <translation>Spieler</translation>
    </message>
    <message>
        <source>Watchers</source>
        <translation>Zuschauer</translation>
    </message>
    <message>
        <source>Game</source>
        <translation>Spiel</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Adresse</translation>
    </message>
    <message>
        <source>Answer</source>
        <translation>Antwort</translation>
    </message>
</context>
<context>
    <name>Tabout</name>
    <message>
        <source>Version </source>
        <translation>Version </translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Fertig</translation>
    </message>
</context>
<context>
    <name>TallyBook</name>
    <message>
        <source>Unable to write to %1 (%2)</source>
        <translation>Kann nicht nach %1 schreiben (%2)</translation>
    </message>
</context>
<context>
    <name>Tdownload</name>
    <message>
        <source>Please close the game and open the Mirrek Lobby using the icon on your desktop or using the your Window&apos;s start-up menu.</source>
        <translation>Bitte schließe das Spiel und öffne die Mirrek Lobby über das Symbol auf deinem Desktop oder über das Startmenü.</translation>
    </message>
    <message>
        <source>An Error has Occurred.</source>
        <translation>Ein Fehler ist aufgetreten.</translation>
    </message>
    <message>
        <source>Download The Mirrek Lobby</source>
        <translation>Mirrek Lobby herunterladen</translation>
    </message>
    <message>
        <source>IS CLOSED</source>
        <translation>IST GESCHLOSSEN</translation>
    </message>
    <message>
        <source>Download The Mirrek Lobby Now to play this  and other exciting games online with other players! </source>
        <translation>Lade jetzt die Mirrek Lobby herunter, um dieses und andere spannende Spiele online mit anderen zu spielen! </translation>
    </message>
    <message>
        <source>Download And Install The Mirrek Lobby Now</source>
        <translation>Mirrek Lobby jetzt herunterladen und installieren</translation>
    </message>
    <message>
        <source>Stop Download</source>
        <translation>Download anhalten</translation>
    </message>
    <message>
        <source>Play Solo Game</source>
        <translation>Einzelspiel spielen</translation>
    </message>
    <message>
        <source>Play with Others</source>
        <translation>Mit anderen spielen</translation>
    </message>
    <message>
        <source>To proceed to the game without the ability to play against others click the button below.</source>
        <translation>Um ohne Mitspieler zum Spiel zu gelangen, klicke auf die Schaltfläche unten.</translation>
    </message>
    <message>
        <source>If you already have The Mirrek Lobby and you wish to play with others then click the button below to close this game and open The Mirrek Lobby.</source>
        <translation>Wenn du die Mirrek Lobby schon hast und mit anderen spielen willst, klicke auf die Schaltfläche unten, um dieses Spiel zu schließen und die Mirrek Lobby zu öffnen.</translation>
    </message>
    <message>
        <source>Note: Even if you are playing offline, you will need to configure your FIREWALL to allow the game to access the internet components.</source>
        <translation>Hinweis: Auch wenn du offline spielst, muss deine FIREWALL dem Spiel den Zugriff auf die Internetkomponenten erlauben.</translation>
    </message>
    <message>
        <source>Cannot create file &quot;%1&quot;. %2</source>
        <translation>Datei „%1“ kann nicht angelegt werden. %2</translation>
    </message>
    <message>
        <source>Loading</source>
        <translation>Wird geladen</translation>
    </message>
    <message>
        <source>Download has been aborted.</source>
        <translation>Der Download wurde abgebrochen.</translation>
    </message>
    <message>
        <source>Download Aborted</source>
        <translation>Download abgebrochen</translation>
    </message>
    <message>
        <source>Downloading: %1</source>
        <translation>Wird heruntergeladen: %1</translation>
    </message>
    <message>
        <source>%1 bytes</source>
        <translation>%1 Bytes</translation>
    </message>
    <message>
        <source>Received %1 bytes</source>
        <translation>%1 Bytes empfangen</translation>
    </message>
    <message>
        <source>Installing</source>
        <translation>Wird installiert</translation>
    </message>
    <message>
        <source>Host a Multi-player Game…</source>
        <translation>Mehrspielerpartie ausrichten …</translation>
    </message>
    <message>
        <source>Join a Multi-player Game…</source>
        <translation>Mehrspielerpartie beitreten …</translation>
    </message>
</context>
<context>
    <name>Tgamestart</name>
    <message>
        <source>Gloop Dash - Game Start</source>
        <translation>Gloop Dash – Spielstart</translation>
    </message>
    <message>
        <source>Game Options</source>
        <translation>Spieloptionen</translation>
    </message>
    <message>
        <source>Classic Game</source>
        <translation>Klassisches Spiel</translation>
    </message>
    <message>
        <source>Start Game</source>
        <translation>Spiel starten</translation>
    </message>
    <message>
        <source>Easy</source>
        <translation>Leicht</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>Hard</source>
        <translation>Schwer</translation>
    </message>
    <message>
        <source>Add Bot</source>
        <translation>Bot hinzufügen</translation>
    </message>
    <message>
        <source>Remove Bot</source>
        <translation>Bot entfernen</translation>
    </message>
    <message>
        <source>Bots: %1</source>
        <translation>Bots: %1</translation>
    </message>
</context>
<context>
    <name>Thelp</name>
    <message>
        <source>Space</source>
        <translation>Weltraum</translation>
    </message>
    <message>
        <source>Humdrum</source>
        <translation>Gewöhnlich</translation>
    </message>
    <message>
        <source>Multiplies your current trail score and blast value by 2</source>
        <translation>Verdoppelt die Punkte deiner aktuellen Spur und den Sprengwert</translation>
    </message>
    <message>
        <source>Multiplies your current trail score and blast value by 3</source>
        <translation>Verdreifacht die Punkte deiner aktuellen Spur und den Sprengwert</translation>
    </message>
    <message>
        <source>Blasts all surrounding planets.</source>
        <translation>Sprengt alle umliegenden Planeten.</translation>
    </message>
    <message>
        <source>Allows you to continue your trail even though the next planet you blast is not adjacent</source>
        <translation>Lässt dich deine Spur fortsetzen, auch wenn der nächste gesprengte Planet nicht angrenzt</translation>
    </message>
    <message>
        <source>Allows you to hit any planet color</source>
        <translation>Lässt dich jede Planetenfarbe treffen</translation>
    </message>
    <message>
        <source>Overview</source>
        <translation>Überblick</translation>
    </message>
    <message>
        <source>Connecting</source>
        <translation>Verbinden</translation>
    </message>
    <message>
        <source>Game Play</source>
        <translation>Spielablauf</translation>
    </message>
    <message>
        <source>Scoring</source>
        <translation>Punktwertung</translation>
    </message>
    <message>
        <source>Documentation</source>
        <translation>Dokumentation</translation>
    </message>
    <message>
        <source>License</source>
        <translation>Lizenz</translation>
    </message>
    <message>
        <source>Images</source>
        <translation>Bilder</translation>
    </message>
    <message>
        <source>Tile Sets</source>
        <translation>Steinsätze</translation>
    </message>
    <message>
        <source>The Lobby</source>
        <translation>Die Lobby</translation>
    </message>
    <message>
        <source>Gloop Dash -  Help File</source>
        <translation>Gloop Dash – Hilfe</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Fertig</translation>
    </message>
    <message>
        <source>
This copy reads your own tile sets from: %1
</source>
        <translation>
Diese Kopie liest deine eigenen Steinsätze aus: %1
</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Über</translation>
    </message>
</context>
<context>
    <name>Thighscore</name>
    <message>
        <source>High scores</source>
        <translation>Highscores</translation>
    </message>
    <message>
        <source>Gloop Dash - High Scores</source>
        <translation>Gloop Dash – Highscores</translation>
    </message>
    <message>
        <source>Gloop Dash High Scores</source>
        <translation>Gloop-Dash-Highscores</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
</context>
<context>
    <name>TileSet</name>
    <message>
        <source>Cannot load the tile set %1: %2</source>
        <translation>Der Steinsatz %1 kann nicht geladen werden: %2</translation>
    </message>
</context>
<context>
    <name>TileSetMenu</name>
    <message>
        <source>Built-in</source>
        <translation>Eingebaut</translation>
    </message>
</context>
<context>
    <name>Tphrases</name>
    <message>
        <source>Gloop Dash - Phrase Buttons</source>
        <translation>Gloop Dash – Satztasten</translation>
    </message>
    <message>
        <source>Phrase Button %1:</source>
        <translation>Satztaste %1:</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Fertig</translation>
    </message>
</context>
<context>
    <name>Tspylist</name>
    <message>
        <source>Watchers</source>
        <translation>Zuschauer</translation>
    </message>
    <message>
        <source>GD- Spys</source>
        <translation>GD – Zuschauer</translation>
    </message>
    <message>
        <source>Spy List</source>
        <translation>Zuschauerliste</translation>
    </message>
    <message>
        <source>Remove From Game</source>
        <translation>Aus dem Spiel entfernen</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Fertig</translation>
    </message>
</context>
<context>
    <name>Tstory</name>
    <message>
        <source>The Story</source>
        <translation>Die Geschichte</translation>
    </message>
    <message>
        <source>Gloop Dash - The Story</source>
        <translation>Gloop Dash – Die Geschichte</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Fertig</translation>
    </message>
</context>
<context>
    <name>Ttallylist</name>
    <message>
        <source>Players In Current Game</source>
        <translation>Spieler in der laufenden Partie</translation>
    </message>
    <message>
        <source>Players Being Tallied</source>
        <translation>Gezählte Spieler</translation>
    </message>
    <message>
        <source>Their Wins:</source>
        <translation>Deren Siege:</translation>
    </message>
    <message>
        <source>Choose a player being tallied</source>
        <translation>Wähle einen gezählten Spieler</translation>
    </message>
    <message>
        <source>Gloopen Dash - Tally List</source>
        <translation>Gloopen Dash – Strichliste</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Fertig</translation>
    </message>
    <message>
        <source>Reset Tally</source>
        <translation>Strichliste zurücksetzen</translation>
    </message>
    <message>
        <source>Your Total Tally</source>
        <translation>Deine Gesamtbilanz</translation>
    </message>
    <message>
        <source>Total Games:</source>
        <translation>Spiele insgesamt:</translation>
    </message>
    <message>
        <source>Your Wins:</source>
        <translation>Deine Siege:</translation>
    </message>
    <message>
        <source>High Score:</source>
        <translation>Highscore:</translation>
    </message>
    <message>
        <source>Highest Trail:</source>
        <translation>Längste Spur:</translation>
    </message>
    <message>
        <source>Total</source>
        <translation>Gesamt</translation>
    </message>
    <message>
        <source>Session</source>
        <translation>Sitzung</translation>
    </message>
    <message>
        <source>Number of Games</source>
        <translation>Anzahl der Spiele</translation>
    </message>
    <message>
        <source>Neither Won:</source>
        <translation>Keiner gewann:</translation>
    </message>
    <message>
        <source>This will delete %1&apos;s Tally, Are you want to delete it?</source>
        <translation>Damit wird die Strichliste von %1 gelöscht. Wirklich löschen?</translation>
    </message>
    <message>
        <source>%1 Wins:</source>
        <translation>Siege von %1:</translation>
    </message>
    <message>
        <source>%1&apos;s Tally</source>
        <translation>Strichliste von %1</translation>
    </message>
    <message>
        <source>Are you sure you want to reset the Tally?</source>
        <translation>Willst du die Strichliste wirklich zurücksetzen?</translation>
    </message>
    <message>
        <source>Tally everyone I play with</source>
        <translation>Jeden zählen, mit dem ich spiele</translation>
    </message>
</context>
<context>
    <name>TurnFlow</name>
    <message>
        <source>Missions Per Game: %1</source>
        <translation>Missionen pro Spiel: %1</translation>
    </message>
    <message>
        <source>You have started a CLASSIC game.</source>
        <translation>Du hast ein KLASSISCHES Spiel gestartet.</translation>
    </message>
    <message>
        <source>You have started a game.</source>
        <translation>Du hast ein Spiel gestartet.</translation>
    </message>
    <message>
        <source>%1 has started a CLASSIC game.</source>
        <translation>%1 hat ein KLASSISCHES Spiel gestartet.</translation>
    </message>
    <message>
        <source>%1 has started a game.</source>
        <translation>%1 hat ein Spiel gestartet.</translation>
    </message>
    <message>
        <source>Tie! An extra mission decides it.</source>
        <translation>Gleichstand! Eine Zusatzmission entscheidet.</translation>
    </message>
    <message>
        <source>Mission: %1  Just watching</source>
        <translation>Mission: %1  Nur zuschauen</translation>
    </message>
    <message>
        <source>Just watching.</source>
        <translation>Nur zuschauen.</translation>
    </message>
    <message>
        <source>Mission: %1  Your turn</source>
        <translation>Mission: %1  Du bist dran</translation>
    </message>
    <message>
        <source>Mission: %1  %2&apos;s turn</source>
        <translation>Mission: %1  %2 ist dran</translation>
    </message>
    <message>
        <source>Your turn.</source>
        <translation>Du bist dran.</translation>
    </message>
    <message>
        <source>%1&apos;s turn.</source>
        <translation>%1 ist dran.</translation>
    </message>
    <message>
        <source>Turn Over</source>
        <translation>Zug vorbei</translation>
    </message>
    <message>
        <source>Out of Moves!</source>
        <translation>Keine Züge mehr!</translation>
    </message>
    <message>
        <source>Cleared the Board! Bonus +200!</source>
        <translation>Brett geräumt! Bonus +200!</translation>
    </message>
    <message>
        <source>Out of Time!</source>
        <translation>Zeit abgelaufen!</translation>
    </message>
    <message>
        <source>Everyone has completed this turn!</source>
        <translation>Alle haben diesen Zug beendet!</translation>
    </message>
    <message>
        <source>Time: %1</source>
        <translation>Zeit: %1</translation>
    </message>
    <message>
        <source>%1 seconds left!</source>
        <translation>Noch %1 Sekunden!</translation>
    </message>
    <message>
        <source>You have Won the Game!</source>
        <translation>Du hast das Spiel gewonnen!</translation>
    </message>
    <message>
        <source>%1 has Won the Game!</source>
        <translation>%1 hat das Spiel gewonnen!</translation>
    </message>
    <message>
        <source>Have Won the Game!!</source>
        <translation>hast das Spiel gewonnen!!</translation>
    </message>
    <message>
        <source>Has Won the Game!!</source>
        <translation>hat das Spiel gewonnen!!</translation>
    </message>
</context>
</TS>
