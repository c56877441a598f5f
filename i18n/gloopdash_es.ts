<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES">
<context>
    <name>BoardCells</name>
    <message>
        <source>empty</source>
        <translation>vacía</translation>
    </message>
    <message>
        <source>yellow gloop</source>
        <translation>gloop amarillo</translation>
    </message>
    <message>
        <source>green gloop</source>
        <translation>gloop verde</translation>
    </message>
    <message>
        <source>orange gloop</source>
        <translation>gloop naranja</translation>
    </message>
    <message>
        <source>purple gloop</source>
        <translation>gloop morado</translation>
    </message>
    <message>
        <source>red gloop</source>
        <translation>gloop rojo</translation>
    </message>
    <message>
        <source>wild gloop</source>
        <translation>gloop comodín</translation>
    </message>
    <message>
        <source>transport</source>
        <translation>transporte</translation>
    </message>
    <message>
        <source>bomb</source>
        <translation>bomba</translation>
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
        <translation>fila %1, columna %2: %3</translation>
    </message>
    <message>
        <source>column %1</source>
        <translation>columna %1</translation>
    </message>
    <message>
        <source>row %1</source>
        <translation>fila %1</translation>
    </message>
</context>
<context>
    <name>BoardModel</name>
    <message>
        <source>Trail Score: %1</source>
        <translation>Puntos del rastro: %1</translation>
    </message>
    <message>
        <source>Transport!</source>
        <translation>¡Transporte!</translation>
    </message>
    <message>
        <source>Invalid Tile</source>
        <translation>Ficha no válida</translation>
    </message>
    <message>
        <source>Invalid Move</source>
        <translation>Movimiento no válido</translation>
    </message>
</context>
<context>
    <name>ChatEdit</name>
    <message>
        <source>Chat line</source>
        <translation>Línea de chat</translation>
    </message>
    <message>
        <source>Type a message and press Return to send it to the table.</source>
        <translation>Escribe un mensaje y pulsa Intro para enviarlo a la mesa.</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Pegar</translation>
    </message>
    <message>
        <source>&lt;Enter Chat Here&gt;</source>
        <translation>&lt;Escribe aquí para chatear&gt;</translation>
    </message>
</context>
<context>
    <name>ChatMenu</name>
    <message>
        <source>Text Color</source>
        <translation>Color del texto</translation>
    </message>
    <message>
        <source>Text Size</source>
        <translation>Tamaño del texto</translation>
    </message>
    <message>
        <source>Scroll Chat Off</source>
        <translation>Detener desplazamiento del chat</translation>
    </message>
    <message>
        <source>Clear Main Chat</source>
        <translation>Borrar el chat principal</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Copiar</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>Seleccionar todo</translation>
    </message>
</context>
<context>
    <name>ChatterSounds</name>
    <message>
        <source>Doh</source>
        <translation>¡Rayos!</translation>
    </message>
    <message>
        <source>Cough</source>
        <translation>Tos</translation>
    </message>
    <message>
        <source>Hello</source>
        <translation>Hola</translation>
    </message>
    <message>
        <source>Thank You</source>
        <translation>Gracias</translation>
    </message>
    <message>
        <source>Where have you been?</source>
        <translation>¿Dónde estabas?</translation>
    </message>
    <message>
        <source>Snoring</source>
        <translation>Ronquidos</translation>
    </message>
    <message>
        <source>Sneezing</source>
        <translation>Estornudo</translation>
    </message>
    <message>
        <source>Sorry</source>
        <translation>Perdón</translation>
    </message>
    <message>
        <source>Welcome</source>
        <translation>Bienvenida</translation>
    </message>
    <message>
        <source>Yeehaa</source>
        <translation>¡Yija!</translation>
    </message>
    <message>
        <source>Yippee</source>
        <translation>¡Yupi!</translation>
    </message>
    <message>
        <source>Oh No</source>
        <translation>Oh, no</translation>
    </message>
    <message>
        <source>Applause</source>
        <translation>Aplausos</translation>
    </message>
    <message>
        <source>Honk</source>
        <translation>Bocinazo</translation>
    </message>
    <message>
        <source>Oooh</source>
        <translation>¡Oooh!</translation>
    </message>
    <message>
        <source>Razzberry</source>
        <translation>Pedorreta</translation>
    </message>
    <message>
        <source>Cheer</source>
        <translation>Vítores</translation>
    </message>
    <message>
        <source>Woman Laughing</source>
        <translation>Mujer riendo</translation>
    </message>
    <message>
        <source>Man Laughing</source>
        <translation>Hombre riendo</translation>
    </message>
    <message>
        <source>Crying</source>
        <translation>Llanto</translation>
    </message>
    <message>
        <source>%1: &lt;Chatter Sound&gt; %2</source>
        <translation>%1: &lt;Sonido del chat&gt; %2</translation>
    </message>
</context>
<context>
    <name>ClientCommands</name>
    <message>
        <source>%1 has a different version of the game then you.</source>
        <translation>%1 tiene una versión del juego distinta de la tuya.</translation>
    </message>
    <message>
        <source>You have a differnt version of the game then the host.</source>
        <translation>Tienes una versión del juego distinta de la del anfitrión.</translation>
    </message>
    <message>
        <source>%1 is ignored.</source>
        <translation>%1 está ignorado.</translation>
    </message>
</context>
<context>
    <name>ConnectionController</name>
    <message>
        <source>Could not join %1: the connection was refused. Nobody hosts a game there.</source>
        <translation>No se pudo unir a %1: se rechazó la conexión. Nadie aloja una partida allí.</translation>
    </message>
    <message>
        <source>Could not join %1: there is no such host.</source>
        <translation>No se pudo unir a %1: ese equipo no existe.</translation>
    </message>
    <message>
        <source>Could not join %1: the host cannot be reached.</source>
        <translation>No se pudo unir a %1: no se puede llegar al equipo.</translation>
    </message>
    <message>
        <source>Could not join %1: no game answered within 5 seconds.</source>
        <translation>No se pudo unir a %1: ninguna partida respondió en 5 segundos.</translation>
    </message>
    <message>
        <source>Could not join %1: what answers there is not a Gloop Dash game.</source>
        <translation>No se pudo unir a %1: lo que responde allí no es una partida de Gloop Dash.</translation>
    </message>
    <message>
        <source>Loading Solo Game..Please wait.</source>
        <translation>Cargando partida individual… Espera, por favor.</translation>
    </message>
    <message>
        <source>Loading Multi-player Game.. Please Wait.</source>
        <translation>Cargando partida multijugador… Espera, por favor.</translation>
    </message>
    <message>
        <source>A game is running. Leave it?</source>
        <translation>Hay una partida en curso. ¿Abandonarla?</translation>
    </message>
    <message>
        <source>Hosting a game on port %1..</source>
        <translation>Alojando una partida en el puerto %1…</translation>
    </message>
    <message>
        <source>Joining %1..</source>
        <translation>Uniéndose a %1…</translation>
    </message>
    <message>
        <source>Could not host on port %1: it is in use.</source>
        <translation>No se pudo alojar en el puerto %1: está en uso.</translation>
    </message>
    <message>
        <source>Listen - Error Binding Socket</source>
        <translation>Escucha - Error al enlazar el socket</translation>
    </message>
</context>
<context>
    <name>GameBrowser</name>
    <message>
        <source>No games have answered from this network yet. A game shows here within two seconds of being hosted. If one is missing: the host&apos;s computer must be on the same network as yours, and its firewall must let UDP and TCP on the game port (7772 unless the host chose another) in. A game on another port is found once you add that port below.</source>
        <translation>Aún no ha respondido ninguna partida de esta red. Una partida aparece aquí a los dos segundos de alojarse. Si falta alguna: el equipo del anfitrión debe estar en la misma red que el tuyo, y su cortafuegos debe dejar entrar UDP y TCP en el puerto del juego (7772, salvo que el anfitrión elija otro). Una partida en otro puerto se encuentra en cuanto añades ese puerto abajo.</translation>
    </message>
    <message>
        <source>Local Network</source>
        <translation>Red local</translation>
    </message>
    <message>
        <source>port</source>
        <translation>puerto</translation>
    </message>
    <message>
        <source>Look on Port</source>
        <translation>Buscar en el puerto</translation>
    </message>
    <message>
        <source>Also look for games on port:</source>
        <translation>Buscar partidas también en el puerto:</translation>
    </message>
</context>
<context>
    <name>GameOverlays</name>
    <message>
        <source>Welcome to Gloop Dash!</source>
        <translation>¡Bienvenido a Gloop Dash!</translation>
    </message>
    <message>
        <source>Welcome To Gloop Dash</source>
        <translation>Bienvenido a Gloop Dash</translation>
    </message>
    <message>
        <source>Winner!</source>
        <translation>¡Ganador!</translation>
    </message>
    <message>
        <source>Has Won the Game!!</source>
        <translation>¡¡ha ganado la partida!!</translation>
    </message>
    <message>
        <source>Just watching: picking is closed</source>
        <translation>Solo mirando: no se puede elegir</translation>
    </message>
    <message>
        <source>START</source>
        <extracomment>Upper of the two words painted on the start button (room for about 8 capitals).</extracomment>
        <translation>INICIAR</translation>
    </message>
    <message>
        <source>GAME</source>
        <extracomment>Lower of the two words painted on the start button.</extracomment>
        <translation>PARTIDA</translation>
    </message>
    <message>
        <source>Start Game</source>
        <translation>Iniciar partida</translation>
    </message>
</context>
<context>
    <name>GameView</name>
    <message>
        <source>Game board</source>
        <translation>Tablero</translation>
    </message>
    <message>
        <source>Arrow keys move the cursor; Space or Return picks the tile under it.</source>
        <translation>Las flechas mueven el cursor; Espacio o Intro elige la ficha que hay debajo.</translation>
    </message>
</context>
<context>
    <name>HostGameDialog</name>
    <message>
        <source>Host a Multi-player Game</source>
        <translation>Alojar una partida multijugador</translation>
    </message>
    <message>
        <source>Host</source>
        <translation>Alojar</translation>
    </message>
    <message>
        <source>Your name:</source>
        <translation>Tu nombre:</translation>
    </message>
    <message>
        <source>Port:</source>
        <translation>Puerto:</translation>
    </message>
    <message>
        <source>List this game on the internet</source>
        <translation>Publicar esta partida en Internet</translation>
    </message>
</context>
<context>
    <name>JoinGameDialog</name>
    <message>
        <source>Join a Multi-player Game</source>
        <translation>Unirse a una partida multijugador</translation>
    </message>
    <message>
        <source>host, host:port or [IPv6 address]:port</source>
        <translation>equipo, equipo:puerto o [dirección IPv6]:puerto</translation>
    </message>
    <message>
        <source>Join</source>
        <translation>Unirse</translation>
    </message>
    <message>
        <source>Your name:</source>
        <translation>Tu nombre:</translation>
    </message>
    <message>
        <source>Address:</source>
        <translation>Dirección:</translation>
    </message>
    <message>
        <source>Please enter your name.</source>
        <translation>Escribe tu nombre, por favor.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not an address. Write host, host:port or [IPv6 address]:port.</source>
        <translation>«%1» no es una dirección. Escribe equipo, equipo:puerto o [dirección IPv6]:puerto.</translation>
    </message>
    <message>
        <source>Internet</source>
        <translation>Internet</translation>
    </message>
    <message>
        <source>No game is listed on the internet right now, or the list cannot be reached. The list is asked again every few seconds while this tab is in front.</source>
        <translation>Ahora no hay ninguna partida publicada en Internet, o no se puede acceder a la lista. Mientras esta pestaña esté delante, la lista se consulta de nuevo cada pocos segundos.</translation>
    </message>
</context>
<context>
    <name>LanguageMenu</name>
    <message>
        <source>System Default</source>
        <translation>Predeterminado del sistema</translation>
    </message>
    <message>
        <source>The language could not be stored.</source>
        <translation>No se pudo guardar el idioma.</translation>
    </message>
    <message>
        <source>The new language shows the next time Gloop Dash starts.</source>
        <translation>El nuevo idioma se verá la próxima vez que se inicie Gloop Dash.</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>The host does not answer. No game was found at %1.</source>
        <translation>El anfitrión no responde. No se encontró ninguna partida en %1.</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Archivo</translation>
    </message>
    <message>
        <source>Start Game</source>
        <translation>Iniciar partida</translation>
    </message>
    <message>
        <source>Host a Multi-player Game…</source>
        <translation>Alojar una partida multijugador…</translation>
    </message>
    <message>
        <source>Join a Multi-player Game…</source>
        <translation>Unirse a una partida multijugador…</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Salir</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>&amp;Opciones</translation>
    </message>
    <message>
        <source>Just Watch</source>
        <translation>Solo mirar</translation>
    </message>
    <message>
        <source>Reset Screen Location</source>
        <translation>Restablecer la posición de la ventana</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ver</translation>
    </message>
    <message>
        <source>View Tally</source>
        <translation>Ver recuento</translation>
    </message>
    <message>
        <source>Spy List</source>
        <translation>Lista de espías</translation>
    </message>
    <message>
        <source>Phrase List</source>
        <translation>Lista de frases</translation>
    </message>
    <message>
        <source>The Story</source>
        <translation>La historia</translation>
    </message>
    <message>
        <source>Normal High Scores</source>
        <translation>Récords normales</translation>
    </message>
    <message>
        <source>Classic High Scores</source>
        <translation>Récords clásicos</translation>
    </message>
    <message>
        <source>Go to the Board</source>
        <translation>Ir al tablero</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>A&amp;yuda</translation>
    </message>
    <message>
        <source>Content</source>
        <translation>Contenido</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Acerca de</translation>
    </message>
    <message>
        <source>Game is full</source>
        <translation>La partida está completa</translation>
    </message>
    <message>
        <source>You were removed from the game.</source>
        <translation>Te han quitado de la partida.</translation>
    </message>
    <message>
        <source>The connection to the game has closed.</source>
        <translation>Se ha cerrado la conexión con la partida.</translation>
    </message>
    <message>
        <source>You host this game. Leaving ends it for everyone. Leave?</source>
        <translation>Alojas esta partida. Si te vas, termina para todos. ¿Salir?</translation>
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
        <translation>Emoticonos</translation>
    </message>
    <message>
        <source>A chat line that could not be read was left out.</source>
        <translation>Se omitió una línea de chat que no se pudo leer.</translation>
    </message>
    <message>
        <source>Cannot open Webpage</source>
        <translation>No se puede abrir la página web</translation>
    </message>
</context>
<context>
    <name>PathReplayPanel</name>
    <message>
        <source>Winner&apos;s Path</source>
        <translation>Camino del ganador</translation>
    </message>
    <message>
        <source>Current</source>
        <translation>Actual</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Siguiente</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nombre</translation>
    </message>
    <message>
        <source>Score</source>
        <translation>Puntos</translation>
    </message>
    <message>
        <source>Your options are not set to view the winner&apos;s path.</source>
        <translation>Tus opciones no muestran el camino del ganador.</translation>
    </message>
</context>
<context>
    <name>PhraseButtons</name>
    <message>
        <source>See ya!</source>
        <translation>¡Nos vemos!</translation>
    </message>
</context>
<context>
    <name>PlayerListController</name>
    <message>
        <source>Remove From Game</source>
        <translation>Quitar de la partida</translation>
    </message>
    <message>
        <source>Set to Just Watch</source>
        <translation>Poner a solo mirar</translation>
    </message>
    <message>
        <source>Ignore</source>
        <translation>Ignorar</translation>
    </message>
    <message>
        <source>Mute Sounds</source>
        <translation>Silenciar sonidos</translation>
    </message>
    <message>
        <source>Ignored</source>
        <translation>Ignorado</translation>
    </message>
    <message>
        <source>Sounds muted</source>
        <translation>Sonidos silenciados</translation>
    </message>
    <message>
        <source>You are Connected.</source>
        <translation>Estás conectado.</translation>
    </message>
    <message>
        <source>%1 is Connected.</source>
        <translation>%1 está conectado.</translation>
    </message>
    <message>
        <source>You are spying.</source>
        <translation>Estás espiando.</translation>
    </message>
    <message>
        <source>%1 is spying.</source>
        <translation>%1 está espiando.</translation>
    </message>
    <message>
        <source>%1 was removed from the game.</source>
        <translation>%1 ha sido quitado de la partida.</translation>
    </message>
    <message>
        <source>%1 disconnected.</source>
        <translation>%1 se ha desconectado.</translation>
    </message>
    <message>
        <source>%1 has left.</source>
        <translation>%1 se ha ido.</translation>
    </message>
    <message>
        <source>%1 is just watching</source>
        <translation>%1 solo está mirando</translation>
    </message>
    <message>
        <source>%1 now playing again</source>
        <translation>%1 vuelve a jugar</translation>
    </message>
    <message>
        <source>Unable to keep the list of ignored players.</source>
        <translation>No se puede guardar la lista de jugadores ignorados.</translation>
    </message>
    <message>
        <source>Just Watch works only while a game is running.</source>
        <translation>Solo mirar solo funciona mientras hay una partida en curso.</translation>
    </message>
</context>
<context>
    <name>ProgramWindows</name>
    <message>
        <source>A game is running. Start a new one for everyone?</source>
        <translation>Hay una partida en curso. ¿Iniciar una nueva para todos?</translation>
    </message>
</context>
<context>
    <name>Reconnector</name>
    <message>
        <source>You are back at the table. Your board comes back with the next deal.</source>
        <translation>Has vuelto a la mesa. Tu tablero vuelve con el próximo reparto.</translation>
    </message>
    <message>
        <source>You are back at the table.</source>
        <translation>Has vuelto a la mesa.</translation>
    </message>
    <message>
        <source>Connection status</source>
        <translation>Estado de la conexión</translation>
    </message>
    <message>
        <source>Connection lost — reconnecting… (%1 s)</source>
        <translation>Conexión perdida: reconectando… (%1 s)</translation>
    </message>
</context>
<context>
    <name>ScorePanel</name>
    <message>
        <source>Seconds left in the mission</source>
        <translation>Segundos que quedan de la misión</translation>
    </message>
    <message>
        <source>Time bar</source>
        <translation>Barra de tiempo</translation>
    </message>
    <message>
        <source>Current tile</source>
        <translation>Ficha actual</translation>
    </message>
    <message>
        <source>Next tile</source>
        <translation>Ficha siguiente</translation>
    </message>
    <message>
        <source>Tile after next</source>
        <translation>Ficha después de la siguiente</translation>
    </message>
    <message>
        <source>Player in seat %1</source>
        <translation>Jugador del asiento %1</translation>
    </message>
    <message>
        <source>Total of seat %1</source>
        <translation>Total del asiento %1</translation>
    </message>
    <message>
        <source>Last mission&apos;s points of seat %1</source>
        <translation>Puntos de la última misión del asiento %1</translation>
    </message>
    <message>
        <source>Watching</source>
        <translation>Mirando</translation>
    </message>
    <message>
        <source>Help Save Pibbo!!</source>
        <translation>¡¡Ayuda a salvar a Pibbo!!</translation>
    </message>
    <message>
        <source>CURRENT</source>
        <translation>ACTUAL</translation>
    </message>
    <message>
        <source>NEXT</source>
        <translation>SIGUIENTE</translation>
    </message>
    <message>
        <source>Good Luck!</source>
        <translation>¡Buena suerte!</translation>
    </message>
    <message>
        <source>Total</source>
        <translation>Total</translation>
    </message>
    <message>
        <source>Last</source>
        <translation>Última</translation>
    </message>
    <message>
        <source>&lt;Waiting&gt;</source>
        <translation>&lt;Esperando&gt;</translation>
    </message>
</context>
<context>
    <name>SettingsBinding</name>
    <message>
        <source>Language</source>
        <translation>Idioma</translation>
    </message>
    <message>
        <source>Post High Score</source>
        <translation>Enviar récord</translation>
    </message>
    <message>
        <source>Show Winner&apos;s Path</source>
        <translation>Mostrar el camino del ganador</translation>
    </message>
    <message>
        <source>Tile Set</source>
        <translation>Juego de fichas</translation>
    </message>
    <message>
        <source>List My Game on the Network</source>
        <translation>Publicar mi partida en la red</translation>
    </message>
</context>
<context>
    <name>SettingsFile</name>
    <message>
        <source>Unable to write to %1</source>
        <translation>No se puede escribir en %1</translation>
    </message>
</context>
<context>
    <name>SingleInstance</name>
    <message>
        <source>Cannot write the lock file in %1 (the folder is full or read-only): Gloop Dash runs without its check for another running copy.</source>
        <translation>No se puede escribir el archivo de bloqueo en %1 (la carpeta está llena o es de solo lectura): Gloop Dash se ejecuta sin comprobar si hay otra copia en marcha.</translation>
    </message>
</context>
<context>
    <name>SoundsPopup</name>
    <message>
        <source>&lt;Cancel&gt;</source>
        <translation>&lt;Cancelar&gt;</translation>
    </message>
    <message>
        <source>Play Sounds</source>
        <translation>Reproducir sonidos</translation>
    </message>
    <message>
        <source>Play Chatter Sounds</source>
        <translation>Reproducir sonidos del chat</translation>
    </message>
</context>
<context>
    <name>StatusAnnouncer</name>
    <message>
        <source>Game status</source>
        <translation>Estado de la partida</translation>
    </message>
</context>
<context>
    <name>TableListModel</name>
    <message>
        <source>standard</source>
        <translation>estándar</translation>
    </message>
    <message>
        <source>classic</source>
        <translation>clásica</translation>
    </message>
    <message>
        <source>%1 of %2 (%3 bots)</source>
        <translation>%1 de %2 (%3 bots)</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 de %2</translation>
    </message>
    <message>
        <source>waiting</source>
        <translation>en espera</translation>
    </message>
    <message>
        <source>mission %1 of %2, %3</source>
        <translation>misión %1 de %2, %3</translation>
    </message>
    <message>
        <source>%1, version %2</source>
        <translation>%1, versión %2</translation>
    </message>
    <message>
        <source>Table</source>
        <translation>Mesa</translation>
    </message>
    <message>
        <source>Players</source>
        <translation>Jugadores</translation>
    </message>
    <message>
        <source>Watchers</source>
        <translation>Espectadores</translation>
    </message>
    <message>
        <source>Game</source>
        <translation>Partida</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Dirección</translation>
    </message>
    <message>
        <source>Answer</source>
        <translation>Respuesta</translation>
    </message>
</context>
<context>
    <name>Tabout</name>
    <message>
        <source>Version </source>
        <translation>Versión </translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Hecho</translation>
    </message>
</context>
<context>
    <name>TallyBook</name>
    <message>
        <source>Unable to write to %1 (%2)</source>
        <translation>No se puede escribir en %1 (%2)</translation>
    </message>
</context>
<context>
    <name>Tdownload</name>
    <message>
        <source>Please close the game and open the Mirrek Lobby using the icon on your desktop or using the your Window&apos;s start-up menu.</source>
        <translation>Cierra el juego y abre Mirrek Lobby con el icono del escritorio o desde el menú de inicio.</translation>
    </message>
    <message>
        <source>An Error has Occurred.</source>
        <translation>Se ha producido un error.</translation>
    </message>
    <message>
        <source>Download The Mirrek Lobby</source>
        <translation>Descargar Mirrek Lobby</translation>
    </message>
    <message>
        <source>IS CLOSED</source>
        <translation>ESTÁ CERRADO</translation>
    </message>
    <message>
        <source>Download The Mirrek Lobby Now to play this  and other exciting games online with other players! </source>
        <translation>¡Descarga ya Mirrek Lobby para jugar a este y otros juegos emocionantes en línea con otros jugadores! </translation>
    </message>
    <message>
        <source>Download And Install The Mirrek Lobby Now</source>
        <translation>Descargar e instalar Mirrek Lobby ahora</translation>
    </message>
    <message>
        <source>Stop Download</source>
        <translation>Detener la descarga</translation>
    </message>
    <message>
        <source>Play Solo Game</source>
        <translation>Jugar en solitario</translation>
    </message>
    <message>
        <source>Play with Others</source>
        <translation>Jugar con otros</translation>
    </message>
    <message>
        <source>To proceed to the game without the ability to play against others click the button below.</source>
        <translation>Para ir al juego sin poder jugar contra otros, pulsa el botón de abajo.</translation>
    </message>
    <message>
        <source>If you already have The Mirrek Lobby and you wish to play with others then click the button below to close this game and open The Mirrek Lobby.</source>
        <translation>Si ya tienes Mirrek Lobby y quieres jugar con otros, pulsa el botón de abajo para cerrar este juego y abrir Mirrek Lobby.</translation>
    </message>
    <message>
        <source>Note: Even if you are playing offline, you will need to configure your FIREWALL to allow the game to access the internet components.</source>
        <translation>Nota: aunque juegues sin conexión, tendrás que configurar tu CORTAFUEGOS para que el juego pueda acceder a los componentes de internet.</translation>
    </message>
    <message>
        <source>Cannot create file &quot;%1&quot;. %2</source>
        <translation>No se puede crear el archivo «%1». %2</translation>
    </message>
    <message>
        <source>Loading</source>
        <translation>Cargando</translation>
    </message>
    <message>
        <source>Download has been aborted.</source>
        <translation>Se ha cancelado la descarga.</translation>
    </message>
    <message>
        <source>Download Aborted</source>
        <translation>Descarga cancelada</translation>
    </message>
    <message>
        <source>Downloading: %1</source>
        <translation>Descargando: %1</translation>
    </message>
    <message>
        <source>%1 bytes</source>
        <translation>%1 bytes</translation>
    </message>
    <message>
        <source>Received %1 bytes</source>
        <translation>Recibidos %1 bytes</translation>
    </message>
    <message>
        <source>Installing</source>
        <translation>Instalando</translation>
    </message>
    <message>
        <source>Host a Multi-player Game…</source>
        <translation>Alojar una partida multijugador…</translation>
    </message>
    <message>
        <source>Join a Multi-player Game…</source>
        <translation>Unirse a una partida multijugador…</translation>
    </message>
</context>
<context>
    <name>Tgamestart</name>
    <message>
        <source>Gloop Dash - Game Start</source>
        <translation>Gloop Dash - Inicio de partida</translation>
    </message>
    <message>
        <source>Game Options</source>
        <translation>Opciones de la partida</translation>
    </message>
    <message>
        <source>Classic Game</source>
        <translation>Partida clásica</translation>
    </message>
    <message>
        <source>Start Game</source>
        <translation>Iniciar partida</translation>
    </message>
    <message>
        <source>Easy</source>
        <translation>Fácil</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>Hard</source>
        <translation>Difícil</translation>
    </message>
    <message>
        <source>Add Bot</source>
        <translation>Añadir bot</translation>
    </message>
    <message>
        <source>Remove Bot</source>
        <translation>Quitar bot</translation>
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
        <translation>Espacio</translation>
    </message>
    <message>
        <source>Humdrum</source>
        <translation>Corriente</translation>
    </message>
    <message>
        <source>Multiplies your current trail score and blast value by 2</source>
        <translation>Multiplica por 2 la puntuación de tu rastro actual y el valor de explosión</translation>
    </message>
    <message>
        <source>Multiplies your current trail score and blast value by 3</source>
        <translation>Multiplica por 3 la puntuación de tu rastro actual y el valor de explosión</translation>
    </message>
    <message>
        <source>Blasts all surrounding planets.</source>
        <translation>Hace estallar todos los planetas de alrededor.</translation>
    </message>
    <message>
        <source>Allows you to continue your trail even though the next planet you blast is not adjacent</source>
        <translation>Te permite seguir tu rastro aunque el siguiente planeta que hagas estallar no sea contiguo</translation>
    </message>
    <message>
        <source>Allows you to hit any planet color</source>
        <translation>Te permite acertar cualquier color de planeta</translation>
    </message>
    <message>
        <source>Overview</source>
        <translation>Resumen</translation>
    </message>
    <message>
        <source>Connecting</source>
        <translation>Conexión</translation>
    </message>
    <message>
        <source>Game Play</source>
        <translation>Cómo se juega</translation>
    </message>
    <message>
        <source>Scoring</source>
        <translation>Puntuación</translation>
    </message>
    <message>
        <source>Documentation</source>
        <translation>Documentación</translation>
    </message>
    <message>
        <source>License</source>
        <translation>Licencia</translation>
    </message>
    <message>
        <source>Images</source>
        <translation>Imágenes</translation>
    </message>
    <message>
        <source>Tile Sets</source>
        <translation>Juegos de fichas</translation>
    </message>
    <message>
        <source>The Lobby</source>
        <translation>El vestíbulo</translation>
    </message>
    <message>
        <source>Gloop Dash -  Help File</source>
        <translation>Gloop Dash - Ayuda</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Hecho</translation>
    </message>
    <message>
        <source>
This copy reads your own tile sets from: %1
</source>
        <translation>
Esta copia lee tus propios juegos de fichas de: %1
</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Acerca de</translation>
    </message>
</context>
<context>
    <name>Thighscore</name>
    <message>
        <source>High scores</source>
        <translation>Récords</translation>
    </message>
    <message>
        <source>Gloop Dash - High Scores</source>
        <translation>Gloop Dash - Récords</translation>
    </message>
    <message>
        <source>Gloop Dash High Scores</source>
        <translation>Récords de Gloop Dash</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Cerrar</translation>
    </message>
</context>
<context>
    <name>TileSet</name>
    <message>
        <source>Cannot load the tile set %1: %2</source>
        <translation>No se puede cargar el juego de fichas %1: %2</translation>
    </message>
</context>
<context>
    <name>TileSetMenu</name>
    <message>
        <source>Built-in</source>
        <translation>Integrado</translation>
    </message>
</context>
<context>
    <name>Tphrases</name>
    <message>
        <source>Gloop Dash - Phrase Buttons</source>
        <translation>Gloop Dash - Botones de frases</translation>
    </message>
    <message>
        <source>Phrase Button %1:</source>
        <translation>Botón de frase %1:</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Hecho</translation>
    </message>
</context>
<context>
    <name>Tspylist</name>
    <message>
        <source>Watchers</source>
        <translation>Espectadores</translation>
    </message>
    <message>
        <source>GD- Spys</source>
        <translation>GD - Espías</translation>
    </message>
    <message>
        <source>Spy List</source>
        <translation>Lista de espías</translation>
    </message>
    <message>
        <source>Remove From Game</source>
        <translation>Quitar de la partida</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Hecho</translation>
    </message>
</context>
<context>
    <name>Tstory</name>
    <message>
        <source>The Story</source>
        <translation>La historia</translation>
    </message>
    <message>
        <source>Gloop Dash - The Story</source>
        <translation>Gloop Dash - La historia</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Hecho</translation>
    </message>
</context>
<context>
    <name>Ttallylist</name>
    <message>
        <source>Players In Current Game</source>
        <translation>Jugadores de la partida actual</translation>
    </message>
    <message>
        <source>Players Being Tallied</source>
        <translation>Jugadores contabilizados</translation>
    </message>
    <message>
        <source>Their Wins:</source>
        <translation>Sus victorias:</translation>
    </message>
    <message>
        <source>Choose a player being tallied</source>
        <translation>Elige un jugador contabilizado</translation>
    </message>
    <message>
        <source>Gloopen Dash - Tally List</source>
        <translation>Gloopen Dash - Lista de recuento</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Hecho</translation>
    </message>
    <message>
        <source>Reset Tally</source>
        <translation>Reiniciar recuento</translation>
    </message>
    <message>
        <source>Your Total Tally</source>
        <translation>Tu recuento total</translation>
    </message>
    <message>
        <source>Total Games:</source>
        <translation>Partidas en total:</translation>
    </message>
    <message>
        <source>Your Wins:</source>
        <translation>Tus victorias:</translation>
    </message>
    <message>
        <source>High Score:</source>
        <translation>Récord:</translation>
    </message>
    <message>
        <source>Highest Trail:</source>
        <translation>Mejor rastro:</translation>
    </message>
    <message>
        <source>Total</source>
        <translation>Total</translation>
    </message>
    <message>
        <source>Session</source>
        <translation>Sesión</translation>
    </message>
    <message>
        <source>Number of Games</source>
        <translation>Número de partidas</translation>
    </message>
    <message>
        <source>Neither Won:</source>
        <translation>Ninguno ganó:</translation>
    </message>
    <message>
        <source>This will delete %1&apos;s Tally, Are you want to delete it?</source>
        <translation>Esto borrará el recuento de %1. ¿Quieres borrarlo?</translation>
    </message>
    <message>
        <source>%1 Wins:</source>
        <translation>Victorias de %1:</translation>
    </message>
    <message>
        <source>%1&apos;s Tally</source>
        <translation>Recuento de %1</translation>
    </message>
    <message>
        <source>Are you sure you want to reset the Tally?</source>
        <translation>¿Seguro que quieres reiniciar el recuento?</translation>
    </message>
    <message>
        <source>Tally everyone I play with</source>
        <translation>Contabilizar a todos con quienes juego</translation>
    </message>
</context>
<context>
    <name>TurnFlow</name>
    <message>
        <source>Missions Per Game: %1</source>
        <translation>Misiones por partida: %1</translation>
    </message>
    <message>
        <source>You have started a CLASSIC game.</source>
        <translation>Has iniciado una partida CLÁSICA.</translation>
    </message>
    <message>
        <source>You have started a game.</source>
        <translation>Has iniciado una partida.</translation>
    </message>
    <message>
        <source>%1 has started a CLASSIC game.</source>
        <translation>%1 ha iniciado una partida CLÁSICA.</translation>
    </message>
    <message>
        <source>%1 has started a game.</source>
        <translation>%1 ha iniciado una partida.</translation>
    </message>
    <message>
        <source>Tie! An extra mission decides it.</source>
        <translation>¡Empate! Una misión extra decide.</translation>
    </message>
    <message>
        <source>Mission: %1  Just watching</source>
        <translation>Misión: %1  Solo mirando</translation>
    </message>
    <message>
        <source>Just watching.</source>
        <translation>Solo mirando.</translation>
    </message>
    <message>
        <source>Mission: %1  Your turn</source>
        <translation>Misión: %1  Tu turno</translation>
    </message>
    <message>
        <source>Mission: %1  %2&apos;s turn</source>
        <translation>Misión: %1  Turno de %2</translation>
    </message>
    <message>
        <source>Your turn.</source>
        <translation>Tu turno.</translation>
    </message>
    <message>
        <source>%1&apos;s turn.</source>
        <translation>Turno de %1.</translation>
    </message>
    <message>
        <source>Turn Over</source>
        <translation>Fin del turno</translation>
    </message>
    <message>
        <source>Out of Moves!</source>
        <translation>¡Sin movimientos!</translation>
    </message>
    <message>
        <source>Cleared the Board! Bonus +200!</source>
        <translation>¡Tablero despejado! ¡Bonificación +200!</translation>
    </message>
    <message>
        <source>Out of Time!</source>
        <translation>¡Se acabó el tiempo!</translation>
    </message>
    <message>
        <source>Everyone has completed this turn!</source>
        <translation>¡Todos han completado este turno!</translation>
    </message>
    <message>
        <source>Time: %1</source>
        <translation>Tiempo: %1</translation>
    </message>
    <message>
        <source>%1 seconds left!</source>
        <translation>¡Quedan %1 segundos!</translation>
    </message>
    <message>
        <source>You have Won the Game!</source>
        <translation>¡Has ganado la partida!</translation>
    </message>
    <message>
        <source>%1 has Won the Game!</source>
        <translation>¡%1 ha ganado la partida!</translation>
    </message>
    <message>
        <source>Have Won the Game!!</source>
        <translation>¡¡has ganado la partida!!</translation>
    </message>
    <message>
        <source>Has Won the Game!!</source>
        <translation>¡¡ha ganado la partida!!</translation>
    </message>
</context>
</TS>
