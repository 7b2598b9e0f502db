<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en">
<context>
    <name>Categories</name>
    <message>
        <source>A category needs a name.</source>
        <translation>Eine Kategorie braucht einen Namen.</translation>
    </message>
    <message>
        <source>There is already a category named &quot;%1&quot;.</source>
        <translation>Es gibt bereits eine Kategorie namens „%1“.</translation>
    </message>
    <message numerus="yes">
        <source>Events in the category &quot;%1&quot;: %n. Remove the category? Its events stay, without a category.</source>
        <translation>
            <numerusform>Termine in der Kategorie „%1“: %n. Kategorie entfernen? Ihre Termine bleiben, ohne Kategorie.</numerusform>
            <numerusform>Termine in der Kategorie „%1“: %n. Kategorie entfernen? Ihre Termine bleiben, ohne Kategorie.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>CategoryFilter</name>
    <message>
        <source>All categories</source>
        <translation>Alle Kategorien</translation>
    </message>
    <message>
        <source>Without category</source>
        <translation>Ohne Kategorie</translation>
    </message>
    <message>
        <source>(none)</source>
        <translation>(keine)</translation>
    </message>
</context>
<context>
    <name>qv::AboutBox</name>
    <message>
        <source>&lt;h3&gt;%1&lt;/h3&gt;&lt;p&gt;Version %2&lt;/p&gt;&lt;p&gt;Design an event calendar and put it on your own web site.&lt;/p&gt;&lt;p&gt;Built with:&lt;/p&gt;&lt;ul&gt;&lt;li&gt;Qt %3 (Core, Gui, Widgets, Xml, Network, WebEngine), under the GNU LGPL version 3&lt;/li&gt;&lt;li&gt;Qt WebEngine, which includes Chromium, under the GNU LGPL version 3 and the licences of Chromium&apos;s components (BSD-style)&lt;/li&gt;&lt;li&gt;libzip %4, under the 3-clause BSD licence&lt;/li&gt;&lt;li&gt;zlib, under the zlib licence&lt;/li&gt;&lt;/ul&gt;</source>
        <translation>&lt;h3&gt;%1&lt;/h3&gt;&lt;p&gt;Version %2&lt;/p&gt;&lt;p&gt;Gestalten Sie einen Veranstaltungskalender und stellen Sie ihn auf Ihre eigene Website.&lt;/p&gt;&lt;p&gt;Erstellt mit:&lt;/p&gt;&lt;ul&gt;&lt;li&gt;Qt %3 (Core, Gui, Widgets, Xml, Network, WebEngine), unter der GNU LGPL Version 3&lt;/li&gt;&lt;li&gt;Qt WebEngine, das Chromium enthält, unter der GNU LGPL Version 3 und den Lizenzen der Bestandteile von Chromium (BSD-artig)&lt;/li&gt;&lt;li&gt;libzip %4, unter der BSD-Lizenz mit drei Klauseln&lt;/li&gt;&lt;li&gt;zlib, unter der zlib-Lizenz&lt;/li&gt;&lt;/ul&gt;</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Über</translation>
    </message>
</context>
<context>
    <name>qv::Application</name>
    <message>
        <source>Unknown error</source>
        <translation>Unbekannter Fehler</translation>
    </message>
</context>
<context>
    <name>qv::Archive</name>
    <message>
        <source>Cannot create &quot;%1&quot;: %2</source>
        <translation>„%1“ kann nicht angelegt werden: %2</translation>
    </message>
    <message>
        <source>Cannot add &quot;%1&quot;: %2</source>
        <translation>„%1“ kann nicht hinzugefügt werden: %2</translation>
    </message>
    <message>
        <source>Cannot write &quot;%1&quot;: %2</source>
        <translation>„%1“ kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>The archive holds %1 entries, more than %2.</source>
        <translation>Das Archiv enthält %1 Einträge, mehr als %2.</translation>
    </message>
    <message>
        <source>Entry %1 cannot be read: %2</source>
        <translation>Eintrag %1 kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>The entry &quot;%1&quot; points outside the folder.</source>
        <translation>Der Eintrag „%1“ zeigt aus dem Ordner hinaus.</translation>
    </message>
    <message>
        <source>The entry &quot;%1&quot; is a symbolic link.</source>
        <translation>Der Eintrag „%1“ ist eine symbolische Verknüpfung.</translation>
    </message>
    <message>
        <source>The entries hold more than %1 bytes.</source>
        <translation>Die Einträge enthalten mehr als %1 Byte.</translation>
    </message>
    <message>
        <source>Cannot create the folder &quot;%1&quot;.</source>
        <translation>Der Ordner „%1“ kann nicht angelegt werden.</translation>
    </message>
    <message>
        <source>Cannot read &quot;%1&quot;: %2</source>
        <translation>„%1“ kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; holds more than it declares.</source>
        <translation>„%1“ enthält mehr, als angegeben ist.</translation>
    </message>
    <message>
        <source>The folder &quot;%1&quot; does not exist.</source>
        <translation>Der Ordner „%1“ existiert nicht.</translation>
    </message>
    <message>
        <source>Cannot replace &quot;%1&quot;: %2</source>
        <translation>„%1“ kann nicht ersetzt werden: %2</translation>
    </message>
    <message>
        <source>It holds no data file (quorvel/data.xml).</source>
        <translation>Es enthält keine Datendatei (quorvel/data.xml).</translation>
    </message>
    <message>
        <source>Its data file (quorvel/data.xml) is empty.</source>
        <translation>Seine Datendatei (quorvel/data.xml) ist leer.</translation>
    </message>
    <message>
        <source>Its data file (quorvel/data.xml) holds %1 bytes, more than %2.</source>
        <translation>Seine Datendatei (quorvel/data.xml) enthält %1 Byte, mehr als %2.</translation>
    </message>
    <message>
        <source>The archive cannot be opened: %1</source>
        <translation>Das Archiv kann nicht geöffnet werden: %1</translation>
    </message>
</context>
<context>
    <name>qv::ArchiveProgressRunner</name>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>qv::ArchiveSplice</name>
    <message>
        <source>Cannot write &quot;%1&quot;: %2</source>
        <translation>„%1“ kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>Cannot read &quot;%1&quot;: %2</source>
        <translation>„%1“ kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>Cannot read back &quot;%1&quot;.</source>
        <translation>„%1“ kann nicht zurückgelesen werden.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is missing from &quot;%2&quot;.</source>
        <translation>„%1“ fehlt in „%2“.</translation>
    </message>
    <message>
        <source>Cannot read the earlier archive: %1</source>
        <translation>Das bisherige Archiv kann nicht gelesen werden: %1</translation>
    </message>
</context>
<context>
    <name>qv::CalendarDocument</name>
    <message>
        <source>SetField no ind found - %1</source>
        <translation>SetField: kein Eintrag gefunden – %1</translation>
    </message>
    <message>
        <source>SetField no key found - %1</source>
        <translation>SetField: kein Schlüssel gefunden – %1</translation>
    </message>
</context>
<context>
    <name>qv::ChangedFilesOnly</name>
    <message>
        <source>Unchanged files skipped: %1</source>
        <translation>Unveränderte Dateien übersprungen: %1</translation>
    </message>
</context>
<context>
    <name>qv::DataFileReader</name>
    <message>
        <source>&apos;%1&apos; is not a valid integer value</source>
        <translation>„%1“ ist keine gültige ganze Zahl</translation>
    </message>
    <message>
        <source>The data file is larger than %1 MB; a calendar&apos;s data file is far smaller.</source>
        <translation>Die Datendatei ist größer als %1 MB; die Datendatei eines Kalenders ist weit kleiner.</translation>
    </message>
    <message>
        <source>The data file&apos;s top element is &lt;%1&gt;, not &lt;calendar&gt;.</source>
        <translation>Das oberste Element der Datendatei ist &lt;%1&gt;, nicht &lt;calendar&gt;.</translation>
    </message>
    <message>
        <source>Cannot open file &quot;%1&quot;. %2</source>
        <translation>Die Datei „%1“ kann nicht geöffnet werden. %2</translation>
    </message>
    <message>
        <source>ERROR: %1</source>
        <translation>FEHLER: %1</translation>
    </message>
</context>
<context>
    <name>qv::EmbedCode</name>
    <message>
        <source>Warning: &quot;%1&quot; is not a web address starting with http:// or https://; the embed code may not find the calendar.</source>
        <translation>Warnung: „%1“ ist keine Webadresse, die mit http:// oder https:// beginnt; der Einbettungscode findet den Kalender dann womöglich nicht.</translation>
    </message>
    <message>
        <source>The publish %1 must be a whole number from 1 to 10000, not &quot;%2&quot;.</source>
        <translation>Die Veröffentlichungsgröße (%1) muss eine ganze Zahl von 1 bis 10000 sein, nicht „%2“.</translation>
    </message>
</context>
<context>
    <name>qv::EventEditorRules</name>
    <message>
        <source>New event - please edit</source>
        <translation>Neuer Termin – bitte bearbeiten</translation>
    </message>
    <message>
        <source>New event content - please edit</source>
        <translation>Inhalt des neuen Termins – bitte bearbeiten</translation>
    </message>
</context>
<context>
    <name>qv::EventListPanel</name>
    <message>
        <source>Event filter</source>
        <translation>Terminfilter</translation>
    </message>
    <message>
        <source>Show All Events</source>
        <translation>Alle Termine zeigen</translation>
    </message>
    <message>
        <source>Occurs once</source>
        <translation>Einmalig</translation>
    </message>
    <message>
        <source>Weekly event</source>
        <translation>Wöchentlicher Termin</translation>
    </message>
    <message>
        <source>Monthly event</source>
        <translation>Monatlicher Termin</translation>
    </message>
    <message>
        <source>Once a year event</source>
        <translation>Jährlicher Termin</translation>
    </message>
    <message>
        <source>Next 7 days</source>
        <translation>Nächste 7 Tage</translation>
    </message>
    <message>
        <source>Next 30 days</source>
        <translation>Nächste 30 Tage</translation>
    </message>
    <message>
        <source>Next 3 months</source>
        <translation>Nächste 3 Monate</translation>
    </message>
    <message>
        <source>Next 6 months</source>
        <translation>Nächste 6 Monate</translation>
    </message>
    <message>
        <source>Next year</source>
        <translation>Nächstes Jahr</translation>
    </message>
    <message>
        <source>Type of event</source>
        <translation>Art des Termins</translation>
    </message>
    <message>
        <source>Time range</source>
        <translation>Zeitraum</translation>
    </message>
    <message>
        <source>Category</source>
        <translation>Kategorie</translation>
    </message>
</context>
<context>
    <name>qv::EventRowText</name>
    <message>
        <source>Once</source>
        <translation>Einmalig</translation>
    </message>
    <message>
        <source>Weekly (%1)</source>
        <translation>Wöchentlich (%1)</translation>
    </message>
    <message>
        <source>Montly (%1)</source>
        <translation>Monatlich (%1)</translation>
    </message>
    <message>
        <source>Yearly (%1-%2)</source>
        <translation>Jährlich (%1-%2)</translation>
    </message>
    <message>
        <source>, whole day, </source>
        <translation>, ganztägig, </translation>
    </message>
</context>
<context>
    <name>qv::EventsEditor</name>
    <message>
        <source>Bold</source>
        <translation>Fett</translation>
    </message>
    <message>
        <source>Italic</source>
        <translation>Kursiv</translation>
    </message>
    <message>
        <source>Underlined</source>
        <translation>Unterstrichen</translation>
    </message>
    <message>
        <source>Text color</source>
        <translation>Textfarbe</translation>
    </message>
    <message>
        <source>Would you like to delete &quot;%1&quot; event?</source>
        <translation>Möchten Sie den Termin „%1“ löschen?</translation>
    </message>
    <message>
        <source>Delete Event</source>
        <translation>Termin löschen</translation>
    </message>
    <message>
        <source>You clicked &quot;delete event&quot; button</source>
        <translation>Sie haben „Termin löschen“ gewählt</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Delete Icon</source>
        <translation>Symbol löschen</translation>
    </message>
    <message>
        <source>You clicked &quot;remove icon&quot; button</source>
        <translation>Sie haben „Symbol entfernen“ gewählt</translation>
    </message>
    <message>
        <source>Would you like to remove icon?</source>
        <translation>Möchten Sie das Symbol entfernen?</translation>
    </message>
</context>
<context>
    <name>qv::FolderCopy</name>
    <message>
        <source>the copy was cancelled.</source>
        <translation>das Kopieren wurde abgebrochen.</translation>
    </message>
    <message>
        <source>Cannot copy &quot;%1&quot;: %2</source>
        <translation>„%1“ kann nicht kopiert werden: %2</translation>
    </message>
    <message>
        <source>the folder cannot be created.</source>
        <translation>der Ordner kann nicht angelegt werden.</translation>
    </message>
    <message>
        <source>not a regular file.</source>
        <translation>keine gewöhnliche Datei.</translation>
    </message>
    <message>
        <source>Cannot copy &quot;%1&quot; into &quot;%2&quot;.</source>
        <translation>„%1“ kann nicht nach „%2“ kopiert werden.</translation>
    </message>
</context>
<context>
    <name>qv::FtpPasswordPlace</name>
    <message>
        <source>Password kept in the desktop&apos;s keyring</source>
        <translation>Passwort im Schlüsselbund der Arbeitsumgebung gespeichert</translation>
    </message>
    <message>
        <source>Password kept in the settings file %1 (no keyring found)</source>
        <translation>Passwort in der Einstellungsdatei %1 gespeichert (kein Schlüsselbund gefunden)</translation>
    </message>
</context>
<context>
    <name>qv::FtpSettingsRules</name>
    <message>
        <source>Please do not fill in any http:// or ftp:// in Ftp Host</source>
        <translation>Bitte geben Sie beim FTP-Host kein http:// oder ftp:// ein</translation>
    </message>
    <message>
        <source>This is not a valid ftp port number</source>
        <translation>Dies ist keine gültige FTP-Portnummer</translation>
    </message>
    <message>
        <source>The ftp port should be a number in between 1 - 65535</source>
        <translation>Der FTP-Port muss eine Zahl von 1 bis 65535 sein</translation>
    </message>
    <message>
        <source>Connected to your server successfully!</source>
        <translation>Verbindung zu Ihrem Server erfolgreich hergestellt!</translation>
    </message>
</context>
<context>
    <name>qv::Functions</name>
    <message>
        <source>Cannot open file &quot;%1&quot;. %2</source>
        <translation>Die Datei „%1“ kann nicht geöffnet werden. %2</translation>
    </message>
</context>
<context>
    <name>qv::IcalCommands</name>
    <message>
        <source>iCalendar (*.ics);;All files (*)</source>
        <translation>iCalendar (*.ics);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Import from iCalendar…</source>
        <translation>Aus iCalendar importieren …</translation>
    </message>
    <message>
        <source>Export iCalendar…</source>
        <translation>iCalendar exportieren …</translation>
    </message>
    <message>
        <source>Import from iCalendar</source>
        <translation>Aus iCalendar importieren</translation>
    </message>
    <message>
        <source>Export iCalendar</source>
        <translation>iCalendar exportieren</translation>
    </message>
</context>
<context>
    <name>qv::IcsImport</name>
    <message>
        <source>&quot;%1&quot; was left out: &quot;%2&quot; has the same UID (%3).</source>
        <translation>„%1“ wurde ausgelassen: „%2“ hat dieselbe UID (%3).</translation>
    </message>
    <message>
        <source>The time zone &quot;%1&quot; is not in the system&apos;s zone database; its times were converted as the file describes the zone.</source>
        <translation>Die Zeitzone „%1“ fehlt in der Zeitzonendatenbank des Systems; ihre Zeiten wurden so umgerechnet, wie die Datei die Zone beschreibt.</translation>
    </message>
    <message>
        <source>The time zone &quot;%1&quot; is unknown; its times were taken as local time.</source>
        <translation>Die Zeitzone „%1“ ist unbekannt; ihre Zeiten wurden als Ortszeit übernommen.</translation>
    </message>
    <message>
        <source>Events skipped for having no start: %1.</source>
        <translation>Termine ohne Beginn übersprungen: %1.</translation>
    </message>
    <message>
        <source>The calendar holds more than %1 events; nothing was imported.</source>
        <translation>Der Kalender enthält mehr als %1 Termine; es wurde nichts importiert.</translation>
    </message>
    <message>
        <source>its repeat rule cannot be read (%1); only its first date was imported</source>
        <translation>seine Wiederholungsregel ist nicht lesbar (%1); nur sein erstes Datum wurde importiert</translation>
    </message>
    <message>
        <source>it has several rules</source>
        <translation>er hat mehrere Regeln</translation>
    </message>
    <message>
        <source>it repeats on listed dates (RDATE)</source>
        <translation>er wiederholt sich an aufgezählten Daten (RDATE)</translation>
    </message>
    <message>
        <source>some of its dates are left out (EXDATE)</source>
        <translation>einige seiner Daten sind ausgenommen (EXDATE)</translation>
    </message>
    <message>
        <source>it has extra dates (RDATE)</source>
        <translation>er hat zusätzliche Daten (RDATE)</translation>
    </message>
    <message>
        <source>some of its occurrences were changed</source>
        <translation>einige seiner Vorkommen wurden geändert</translation>
    </message>
    <message>
        <source>each occurrence lasts more than a day</source>
        <translation>jedes Vorkommen dauert länger als einen Tag</translation>
    </message>
    <message>
        <source>its time zone changes its clocks on other days than this calendar&apos;s</source>
        <translation>seine Zeitzone stellt die Uhren an anderen Tagen um als die dieses Kalenders</translation>
    </message>
    <message>
        <source>; made into %1 single events from %2 to %3</source>
        <translation>; in %1 einzelne Termine von %2 bis %3 umgewandelt</translation>
    </message>
    <message>
        <source>&quot;%1&quot;: only its first %2 occurrences were kept.</source>
        <translation>„%1“: nur die ersten %2 Vorkommen wurden behalten.</translation>
    </message>
    <message>
        <source>&quot;%1&quot;: its rule was followed for %2 steps only.</source>
        <translation>„%1“: seiner Regel wurde nur %2 Schritte weit gefolgt.</translation>
    </message>
    <message>
        <source>The calendar file is larger than %1 MB; nothing was imported.</source>
        <translation>Die Kalenderdatei ist größer als %1 MB; es wurde nichts importiert.</translation>
    </message>
    <message>
        <source>The file is no iCalendar file (it has no BEGIN:VCALENDAR).</source>
        <translation>Die Datei ist keine iCalendar-Datei (ihr fehlt BEGIN:VCALENDAR).</translation>
    </message>
    <message>
        <source>The file could not be read as an iCalendar file.</source>
        <translation>Die Datei konnte nicht als iCalendar-Datei gelesen werden.</translation>
    </message>
    <message>
        <source>Cannot open file &quot;%1&quot;. %2</source>
        <translation>Die Datei „%1“ kann nicht geöffnet werden. %2</translation>
    </message>
</context>
<context>
    <name>qv::IcsMerge</name>
    <message>
        <source>&quot;%1&quot; was simplified: %2.</source>
        <translation>„%1“ wurde vereinfacht: %2.</translation>
    </message>
    <message>
        <source>%1 events added, %2 updated, %3 removed, %4 simplified</source>
        <translation>%1 Termine hinzugefügt, %2 aktualisiert, %3 entfernt, %4 vereinfacht</translation>
    </message>
    <message numerus="yes">
        <source>, %n new categories</source>
        <translation>
            <numerusform>, %n neue Kategorie</numerusform>
            <numerusform>, %n neue Kategorien</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>qv::IcsParse</name>
    <message>
        <source>The time zone &quot;%1&quot; describes more changes of its offset than a time zone has; its repeating changes were left out.</source>
        <translation>Die Zeitzone „%1“ beschreibt mehr Wechsel ihres Versatzes, als eine Zeitzone hat; ihre wiederkehrenden Wechsel wurden ausgelassen.</translation>
    </message>
</context>
<context>
    <name>qv::IcsProject</name>
    <message>
        <source>Cannot create a scratch folder: %1</source>
        <translation>Ein Arbeitsordner kann nicht angelegt werden: %1</translation>
    </message>
    <message>
        <source>Cannot open file &quot;%1&quot;.</source>
        <translation>Die Datei „%1“ kann nicht geöffnet werden.</translation>
    </message>
    <message>
        <source>ERROR: %1</source>
        <translation>FEHLER: %1</translation>
    </message>
</context>
<context>
    <name>qv::IcsRule</name>
    <message>
        <source>it repeats a set number of times (COUNT)</source>
        <translation>er wiederholt sich eine feste Anzahl Male (COUNT)</translation>
    </message>
    <message>
        <source>it repeats every %1 periods (INTERVAL)</source>
        <translation>er wiederholt sich alle %1 Zeiträume (INTERVAL)</translation>
    </message>
    <message>
        <source>its rule picks hours, days of the year or week numbers</source>
        <translation>seine Regel wählt Stunden, Tage des Jahres oder Kalenderwochen</translation>
    </message>
    <message>
        <source>its weekly rule also picks days of the month</source>
        <translation>seine wöchentliche Regel wählt auch Tage des Monats</translation>
    </message>
    <message>
        <source>it repeats on several week days</source>
        <translation>er wiederholt sich an mehreren Wochentagen</translation>
    </message>
    <message>
        <source>its weekly rule names a numbered week day</source>
        <translation>seine wöchentliche Regel nennt einen nummerierten Wochentag</translation>
    </message>
    <message>
        <source>it repeats on a week day of the month</source>
        <translation>er wiederholt sich an einem Wochentag des Monats</translation>
    </message>
    <message>
        <source>its monthly rule picks months</source>
        <translation>seine monatliche Regel wählt Monate</translation>
    </message>
    <message>
        <source>it repeats in several months</source>
        <translation>er wiederholt sich in mehreren Monaten</translation>
    </message>
    <message>
        <source>the time zone moves it to another day</source>
        <translation>die Zeitzone verschiebt ihn auf einen anderen Tag</translation>
    </message>
    <message>
        <source>it repeats on several days of the month</source>
        <translation>er wiederholt sich an mehreren Tagen des Monats</translation>
    </message>
    <message>
        <source>its month is not one of the twelve</source>
        <translation>sein Monat ist keiner der zwölf</translation>
    </message>
    <message>
        <source>it repeats every day</source>
        <translation>er wiederholt sich täglich</translation>
    </message>
    <message>
        <source>it repeats more often than daily</source>
        <translation>er wiederholt sich öfter als täglich</translation>
    </message>
</context>
<context>
    <name>qv::KeychainPasswordStore</name>
    <message>
        <source>The program&apos;s keyring module cannot be loaded: %1</source>
        <translation>Das Schlüsselbund-Modul des Programms kann nicht geladen werden: %1</translation>
    </message>
</context>
<context>
    <name>qv::MediaChoice</name>
    <message>
        <source>Delete Background Image</source>
        <translation>Hintergrundbild löschen</translation>
    </message>
    <message>
        <source>You clicked &quot;remove image&quot; button</source>
        <translation>Sie haben „Bild entfernen“ gewählt</translation>
    </message>
    <message>
        <source>Would you like to remove background image?</source>
        <translation>Möchten Sie das Hintergrundbild entfernen?</translation>
    </message>
    <message>
        <source>Delete Background Music</source>
        <translation>Hintergrundmusik löschen</translation>
    </message>
    <message>
        <source>You clicked &quot;remove music&quot; button</source>
        <translation>Sie haben „Musik entfernen“ gewählt</translation>
    </message>
    <message>
        <source>Would you like to remove background music?</source>
        <translation>Möchten Sie die Hintergrundmusik entfernen?</translation>
    </message>
    <message>
        <source>Pictures (*.jpg *.jpeg *.png *.gif *.webp);;JPEG Image (*.jpg *.jpeg);;Portable Network Graphics (*.png);;GIF Image (*.gif);;WebP Image (*.webp)</source>
        <translation>Bilder (*.jpg *.jpeg *.png *.gif *.webp);;JPEG-Bild (*.jpg *.jpeg);;Portable Network Graphics (*.png);;GIF-Bild (*.gif);;WebP-Bild (*.webp)</translation>
    </message>
    <message>
        <source>Music (*.mp3 *.ogg *.wav);;MP3 Audio (*.mp3);;Ogg Audio (*.ogg);;Wave Audio (*.wav)</source>
        <translation>Musik (*.mp3 *.ogg *.wav);;MP3-Audio (*.mp3);;Ogg-Audio (*.ogg);;Wave-Audio (*.wav)</translation>
    </message>
</context>
<context>
    <name>qv::MediaFiles</name>
    <message>
        <source>Cannot read the file &quot;%1&quot;.</source>
        <translation>Die Datei „%1“ kann nicht gelesen werden.</translation>
    </message>
    <message>
        <source>Cannot create the folder &quot;%1&quot;.</source>
        <translation>Der Ordner „%1“ kann nicht angelegt werden.</translation>
    </message>
</context>
<context>
    <name>qv::OptionsPanel</name>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Titel</translation>
    </message>
    <message>
        <source>Subtitle</source>
        <translation>Untertitel</translation>
    </message>
    <message>
        <source>Copyright</source>
        <translation>Copyright</translation>
    </message>
    <message>
        <source>Week starts on Monday</source>
        <translation>Woche beginnt am Montag</translation>
    </message>
    <message>
        <source>Week starts on Sunday</source>
        <translation>Woche beginnt am Sonntag</translation>
    </message>
    <message>
        <source>12 hour</source>
        <translation>12 Stunden</translation>
    </message>
    <message>
        <source>24 hour</source>
        <translation>24 Stunden</translation>
    </message>
    <message>
        <source>Week Start</source>
        <translation>Wochenbeginn</translation>
    </message>
    <message>
        <source>Format</source>
        <translation>Format</translation>
    </message>
    <message>
        <source>auto: the language of the visitor&apos;s page or browser; or a language tag such as de or pt-BR</source>
        <translation>auto: die Sprache der Seite oder des Browsers des Besuchers; oder ein Sprachkürzel wie de oder pt-BR</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Sprache</translation>
    </message>
    <message>
        <source>Cell Width</source>
        <translation>Zellenbreite</translation>
    </message>
    <message>
        <source>Cell Height</source>
        <translation>Zellenhöhe</translation>
    </message>
    <message>
        <source>Content Height</source>
        <translation>Inhaltshöhe</translation>
    </message>
    <message>
        <source>Content Margin</source>
        <translation>Inhaltsrand</translation>
    </message>
    <message>
        <source>Original Size</source>
        <translation>Originalgröße</translation>
    </message>
    <message>
        <source>Width</source>
        <translation>Breite</translation>
    </message>
    <message>
        <source>Height</source>
        <translation>Höhe</translation>
    </message>
    <message>
        <source>Bold</source>
        <translation>Fett</translation>
    </message>
    <message>
        <source>Italic</source>
        <translation>Kursiv</translation>
    </message>
    <message>
        <source>Underlined</source>
        <translation>Unterstrichen</translation>
    </message>
    <message>
        <source>Text color</source>
        <translation>Textfarbe</translation>
    </message>
    <message>
        <source>The time zone of the calendar&apos;s times: imported events are converted to it, and the calendar feed and iCalendar exports name it</source>
        <translation>Die Zeitzone der Zeiten des Kalenders: Importierte Termine werden in sie umgerechnet, Kalender-Feed und iCalendar-Exporte nennen sie</translation>
    </message>
    <message>
        <source>Time Zone</source>
        <translation>Zeitzone</translation>
    </message>
    <message>
        <source>Categories…</source>
        <translation>Kategorien …</translation>
    </message>
</context>
<context>
    <name>qv::PnlEventEdit</name>
    <message>
        <source>Occurs once</source>
        <translation>Einmalig</translation>
    </message>
    <message>
        <source>Weekly event</source>
        <translation>Wöchentlicher Termin</translation>
    </message>
    <message>
        <source>Monthly event</source>
        <translation>Monatlicher Termin</translation>
    </message>
    <message>
        <source>Once a year event</source>
        <translation>Jährlicher Termin</translation>
    </message>
    <message>
        <source>Monday</source>
        <translation>Montag</translation>
    </message>
    <message>
        <source>Tuesday</source>
        <translation>Dienstag</translation>
    </message>
    <message>
        <source>Wednesday</source>
        <translation>Mittwoch</translation>
    </message>
    <message>
        <source>Thursday</source>
        <translation>Donnerstag</translation>
    </message>
    <message>
        <source>Friday</source>
        <translation>Freitag</translation>
    </message>
    <message>
        <source>Saturday</source>
        <translation>Samstag</translation>
    </message>
    <message>
        <source>Sunday</source>
        <translation>Sonntag</translation>
    </message>
    <message>
        <source>January</source>
        <translation>Januar</translation>
    </message>
    <message>
        <source>February</source>
        <translation>Februar</translation>
    </message>
    <message>
        <source>March</source>
        <translation>März</translation>
    </message>
    <message>
        <source>April</source>
        <translation>April</translation>
    </message>
    <message>
        <source>May</source>
        <translation>Mai</translation>
    </message>
    <message>
        <source>June</source>
        <translation>Juni</translation>
    </message>
    <message>
        <source>July</source>
        <translation>Juli</translation>
    </message>
    <message>
        <source>August</source>
        <translation>August</translation>
    </message>
    <message>
        <source>September</source>
        <translation>September</translation>
    </message>
    <message>
        <source>October</source>
        <translation>Oktober</translation>
    </message>
    <message>
        <source>November</source>
        <translation>November</translation>
    </message>
    <message>
        <source>December</source>
        <translation>Dezember</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>(yyyy-mm-dd)</source>
        <translation>(JJJJ-MM-TT)</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Titel</translation>
    </message>
    <message>
        <source>Content</source>
        <translation>Inhalt</translation>
    </message>
    <message>
        <source>Icon</source>
        <translation>Symbol</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>Durchsuchen</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <source>Type of event</source>
        <translation>Art des Termins</translation>
    </message>
    <message>
        <source>Whole day event</source>
        <translation>Ganztägiger Termin</translation>
    </message>
    <message>
        <source>Start-end date</source>
        <translation>Beginn–Ende (Datum)</translation>
    </message>
    <message>
        <source>Start-end time</source>
        <translation>Beginn–Ende (Uhrzeit)</translation>
    </message>
    <message>
        <source>Week day</source>
        <translation>Wochentag</translation>
    </message>
    <message>
        <source>Month day</source>
        <translation>Tag im Monat</translation>
    </message>
    <message>
        <source>Month</source>
        <translation>Monat</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Please note that all changes must be saved or canceled</source>
        <translation>Bitte beachten Sie: Alle Änderungen müssen gespeichert oder verworfen werden</translation>
    </message>
    <message>
        <source>Category</source>
        <translation>Kategorie</translation>
    </message>
</context>
<context>
    <name>qv::ProjectLifecycle</name>
    <message>
        <source>Wrong file project!</source>
        <translation>Falsche Projektdatei!</translation>
    </message>
    <message>
        <source>Cannot save project!</source>
        <translation>Das Projekt kann nicht gespeichert werden!</translation>
    </message>
    <message>
        <source>ERROR LOADING FILE: </source>
        <translation>FEHLER BEIM LADEN DER DATEI: </translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Cannot create the folder &quot;%1&quot;.</source>
        <translation>Der Ordner „%1“ kann nicht angelegt werden.</translation>
    </message>
    <message>
        <source>Opening project</source>
        <translation>Projekt wird geöffnet</translation>
    </message>
    <message>
        <source>Cannot move the folder &quot;%1&quot; aside.</source>
        <translation>Der Ordner „%1“ kann nicht beiseitegelegt werden.</translation>
    </message>
    <message>
        <source>Cannot move the project into &quot;%1&quot;.</source>
        <translation>Das Projekt kann nicht nach „%1“ verschoben werden.</translation>
    </message>
    <message>
        <source>The unsaved work that could not be recovered was kept in &quot;%1&quot;.</source>
        <translation>Die nicht gespeicherte Arbeit, die nicht wiederhergestellt werden konnte, wurde in „%1“ aufbewahrt.</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>Speichern unter</translation>
    </message>
    <message>
        <source>Saving project</source>
        <translation>Projekt wird gespeichert</translation>
    </message>
    <message>
        <source>Save Changes</source>
        <translation>Änderungen speichern</translation>
    </message>
    <message>
        <source>The contents of your document have changed</source>
        <translation>Der Inhalt Ihres Dokuments wurde geändert</translation>
    </message>
    <message>
        <source>Would you like to save your changes?  Click No only if you wish to abandon any changes.</source>
        <translation>Möchten Sie Ihre Änderungen speichern?  Wählen Sie „Nein“ nur, wenn Sie alle Änderungen verwerfen möchten.</translation>
    </message>
</context>
<context>
    <name>qv::ProjectUpdate</name>
    <message>
        <source>Flash Calendar %1 is not installed with your Plendix Flash Event Calendar</source>
        <translation>Der Flash-Kalender %1 ist mit Ihrem Plendix Flash Event Calendar nicht installiert</translation>
    </message>
    <message>
        <source>Calendar files in your project will be replaced with the ones which comes with the software installation.</source>
        <translation>Die Kalenderdateien in Ihrem Projekt werden durch die mit dem Programm installierten ersetzt.</translation>
    </message>
    <message>
        <source>Are you sure?</source>
        <translation>Sind Sie sicher?</translation>
    </message>
    <message>
        <source>Cannot read &quot;%1&quot;: %2</source>
        <translation>„%1“ kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>The template &quot;%1&quot; holds no calendar files.</source>
        <translation>Die Vorlage „%1“ enthält keine Kalenderdateien.</translation>
    </message>
    <message>
        <source>The calendar files could not be updated.
</source>
        <translation>Die Kalenderdateien konnten nicht aktualisiert werden.
</translation>
    </message>
    <message>
        <source>Update Complete!</source>
        <translation>Aktualisierung abgeschlossen!</translation>
    </message>
</context>
<context>
    <name>qv::PublishCommand</name>
    <message>
        <source>Publishing project</source>
        <translation>Projekt wird veröffentlicht</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>qv::PublishToFolder</name>
    <message>
        <source>Please select EMPTY folder to publish this project. You can create folder first.</source>
        <translation>Bitte wählen Sie einen LEEREN Ordner zum Veröffentlichen dieses Projekts. Sie können zuerst einen Ordner anlegen.</translation>
    </message>
    <message>
        <source>The project cannot be published into the folder &quot;%1&quot;: it is the project&apos;s working folder or lies inside it. Please choose another folder.</source>
        <translation>Das Projekt kann nicht im Ordner „%1“ veröffentlicht werden: Er ist der Arbeitsordner des Projekts oder liegt darin. Bitte wählen Sie einen anderen Ordner.</translation>
    </message>
    <message>
        <source>Cannot publish the project to &quot;%1&quot;; the files there are left as they were.
%2</source>
        <translation>Das Projekt kann nicht nach „%1“ veröffentlicht werden; die Dateien dort bleiben unverändert.
%2</translation>
    </message>
    <message>
        <source>Publish current project</source>
        <translation>Aktuelles Projekt veröffentlichen</translation>
    </message>
    <message>
        <source>Do you want to publish current project to %1 folder?</source>
        <translation>Möchten Sie das aktuelle Projekt im Ordner %1 veröffentlichen?</translation>
    </message>
</context>
<context>
    <name>qv::QtPlatform</name>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation>Bestätigen</translation>
    </message>
    <message>
        <source>Always</source>
        <translation>Immer</translation>
    </message>
    <message>
        <source>Once</source>
        <translation>Einmal</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>qv::RegularFile</name>
    <message>
        <source>No file name was given.</source>
        <translation>Es wurde kein Dateiname angegeben.</translation>
    </message>
    <message>
        <source>a folder</source>
        <translation>ein Ordner</translation>
    </message>
    <message>
        <source>a named pipe</source>
        <translation>eine benannte Pipe</translation>
    </message>
    <message>
        <source>a device</source>
        <translation>ein Gerät</translation>
    </message>
    <message>
        <source>a socket</source>
        <translation>ein Socket</translation>
    </message>
    <message>
        <source>not a regular file</source>
        <translation>keine gewöhnliche Datei</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is %2, not a file.</source>
        <translation>„%1“ ist %2, keine Datei.</translation>
    </message>
    <message>
        <source>Cannot open file &quot;%1&quot;. %2</source>
        <translation>Die Datei „%1“ kann nicht geöffnet werden. %2</translation>
    </message>
</context>
<context>
    <name>qv::RemoteClient</name>
    <message>
        <source>
The server said: %1</source>
        <translation>
Der Server antwortete: %1</translation>
    </message>
    <message>
        <source>its fingerprint is not the one given to trust for this run</source>
        <translation>sein Fingerabdruck ist nicht der, dem für diesen Lauf vertraut werden soll</translation>
    </message>
    <message>
        <source>The upload was cancelled.</source>
        <translation>Das Hochladen wurde abgebrochen.</translation>
    </message>
    <message>
        <source>The name &quot;%1&quot; holds a line break, which cannot be sent to an FTP server.</source>
        <translation>Der Name „%1“ enthält einen Zeilenumbruch, der nicht an einen FTP-Server gesendet werden kann.</translation>
    </message>
    <message>
        <source>libcurl could not be started.</source>
        <translation>libcurl konnte nicht gestartet werden.</translation>
    </message>
    <message>
        <source>Not connected to the server.</source>
        <translation>Nicht mit dem Server verbunden.</translation>
    </message>
    <message>
        <source>Cannot open the file &quot;%1&quot;: %2</source>
        <translation>Die Datei „%1“ kann nicht geöffnet werden: %2</translation>
    </message>
    <message>
        <source>A data connection came from %1 instead of the server; it was refused.</source>
        <translation>Eine Datenverbindung kam von %1 statt vom Server; sie wurde abgewiesen.</translation>
    </message>
    <message>
        <source>WARNING: the %1 of %2 has changed. The server showed %3, but %4 was trusted for it. Someone may be intercepting the connection, so it was refused.</source>
        <translation>WARNUNG: %1 von %2 hat sich geändert. Der Server zeigte %3, vertraut war aber %4. Womöglich hört jemand die Verbindung ab, daher wurde sie abgewiesen.</translation>
    </message>
    <message>
        <source>host key</source>
        <translation>Der Host-Schlüssel</translation>
    </message>
    <message>
        <source>certificate</source>
        <translation>Das Zertifikat</translation>
    </message>
    <message>
        <source>The host key of %1 is not known.
Fingerprint: %2</source>
        <translation>Der Host-Schlüssel von %1 ist unbekannt.
Fingerabdruck: %2</translation>
    </message>
    <message>
        <source>The certificate of %1 is not trusted (%2).
SHA-256 fingerprint: %3</source>
        <translation>Dem Zertifikat von %1 wird nicht vertraut (%2).
SHA-256-Fingerabdruck: %3</translation>
    </message>
    <message>
        <source>WARNING: %1 used encryption before but does not offer it now. Someone may be intercepting the connection, so your password and files were not sent.</source>
        <translation>WARNUNG: %1 hat bisher verschlüsselt, bietet die Verschlüsselung aber jetzt nicht an. Womöglich hört jemand die Verbindung ab, daher wurden Ihr Passwort und Ihre Dateien nicht gesendet.</translation>
    </message>
    <message>
        <source>%1 does not offer encryption, so your password and files were not sent.</source>
        <translation>%1 bietet keine Verschlüsselung an, daher wurden Ihr Passwort und Ihre Dateien nicht gesendet.</translation>
    </message>
    <message>
        <source>%1 refused to encrypt the file transfers (PROT P), so no file was sent.</source>
        <translation>%1 lehnte die Verschlüsselung der Dateiübertragungen ab (PROT P), daher wurde keine Datei gesendet.</translation>
    </message>
    <message>
        <source>The listing is longer than %1 MiB; the connection was closed.</source>
        <translation>Die Auflistung ist länger als %1 MiB; die Verbindung wurde geschlossen.</translation>
    </message>
    <message>
        <source>Cannot read the file &quot;%1&quot;: %2</source>
        <translation>Die Datei „%1“ kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>%1 did not answer as an FTP server does; it sent &quot;%2&quot;.</source>
        <translation>%1 antwortete nicht wie ein FTP-Server; er sandte „%2“.</translation>
    </message>
    <message>
        <source>Cannot open the folder &quot;%1&quot; on %2:
</source>
        <translation>Der Ordner „%1“ auf %2 kann nicht geöffnet werden:
</translation>
    </message>
    <message>
        <source>Connection timed out: %1</source>
        <translation>Zeitüberschreitung der Verbindung: %1</translation>
    </message>
    <message>
        <source>Cannot connect to %1: %2</source>
        <translation>Keine Verbindung zu %1 möglich: %2</translation>
    </message>
    <message>
        <source>The server refused the login name or password.</source>
        <translation>Der Server hat den Anmeldenamen oder das Passwort abgelehnt.</translation>
    </message>
    <message>
        <source>the server closed the connection.</source>
        <translation>der Server hat die Verbindung geschlossen.</translation>
    </message>
    <message>
        <source>The connection to %1 was lost while sending &quot;%2&quot;: %3</source>
        <translation>Die Verbindung zu %1 brach beim Senden von „%2“ ab: %3</translation>
    </message>
    <message>
        <source>The connection to %1 was lost: %2</source>
        <translation>Die Verbindung zu %1 brach ab: %2</translation>
    </message>
    <message>
        <source>Connection timed out: no data moved for %1 s.</source>
        <translation>Zeitüberschreitung der Verbindung: %1 s lang wurden keine Daten übertragen.</translation>
    </message>
</context>
<context>
    <name>qv::RemoteProtocol</name>
    <message>
        <source>FTP over TLS (explicit)</source>
        <translation>FTP über TLS (explizit)</translation>
    </message>
</context>
<context>
    <name>qv::StagedFile</name>
    <message>
        <source>Cannot create file &quot;%1&quot;. %2</source>
        <translation>Die Datei „%1“ kann nicht angelegt werden. %2</translation>
    </message>
    <message>
        <source>Cannot write file &quot;%1&quot;. %2</source>
        <translation>Die Datei „%1“ kann nicht geschrieben werden. %2</translation>
    </message>
</context>
<context>
    <name>qv::StagedFolderCopy</name>
    <message>
        <source>&quot;%1&quot; is in the way: a %2 of that name is there.</source>
        <translation>„%1“ steht im Weg: Dort gibt es bereits %2 dieses Namens.</translation>
    </message>
    <message>
        <source>file</source>
        <translation>eine Datei</translation>
    </message>
    <message>
        <source>folder</source>
        <translation>einen Ordner</translation>
    </message>
    <message>
        <source>Cannot create the folder &quot;%1&quot;.</source>
        <translation>Der Ordner „%1“ kann nicht angelegt werden.</translation>
    </message>
    <message>
        <source>Cannot replace &quot;%1&quot;: %2</source>
        <translation>„%1“ kann nicht ersetzt werden: %2</translation>
    </message>
    <message>
        <source>Cannot create a folder in &quot;%1&quot;.</source>
        <translation>In „%1“ kann kein Ordner angelegt werden.</translation>
    </message>
    <message>
        <source>The folder &quot;%1&quot; does not exist.</source>
        <translation>Der Ordner „%1“ existiert nicht.</translation>
    </message>
</context>
<context>
    <name>qv::StyleEditor</name>
    <message>
        <source>Header</source>
        <translation>Kopfzeile</translation>
    </message>
    <message>
        <source>Menu</source>
        <translation>Menü</translation>
    </message>
    <message>
        <source>Footer</source>
        <translation>Fußzeile</translation>
    </message>
    <message>
        <source>Background</source>
        <translation>Hintergrund</translation>
    </message>
    <message>
        <source>Calendar cell</source>
        <translation>Kalenderzelle</translation>
    </message>
    <message>
        <source>Calendar cell today</source>
        <translation>Kalenderzelle heute</translation>
    </message>
    <message>
        <source>Calendar cell occupied</source>
        <translation>Kalenderzelle belegt</translation>
    </message>
    <message>
        <source>Calendar cell selected</source>
        <translation>Kalenderzelle ausgewählt</translation>
    </message>
    <message>
        <source>Month and year</source>
        <translation>Monat und Jahr</translation>
    </message>
    <message>
        <source>Day of week</source>
        <translation>Wochentag</translation>
    </message>
    <message>
        <source>Date of month</source>
        <translation>Tag des Monats</translation>
    </message>
    <message>
        <source>Event text</source>
        <translation>Termintext</translation>
    </message>
    <message>
        <source>Event background</source>
        <translation>Terminhintergrund</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>Durchsuchen</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <source>Item</source>
        <translation>Element</translation>
    </message>
    <message>
        <source>Color</source>
        <translation>Farbe</translation>
    </message>
    <message>
        <source>Select</source>
        <translation>Auswählen</translation>
    </message>
    <message>
        <source>Opacity</source>
        <translation>Deckkraft</translation>
    </message>
    <message>
        <source>URI</source>
        <translation>URI</translation>
    </message>
    <message>
        <source>Background URI</source>
        <translation>Hintergrund-URI</translation>
    </message>
    <message>
        <source>Enable Monthly Background</source>
        <translation>Monatlichen Hintergrund verwenden</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Play on startup</source>
        <translation>Beim Start abspielen</translation>
    </message>
    <message>
        <source>Music</source>
        <translation>Musik</translation>
    </message>
    <message>
        <source>Volume</source>
        <translation>Lautstärke</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
</context>
<context>
    <name>qv::TFormMain</name>
    <message>
        <source>General</source>
        <translation>Allgemein</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Größe</translation>
    </message>
    <message>
        <source>Style</source>
        <translation>Stil</translation>
    </message>
    <message>
        <source>Quick Preview</source>
        <translation>Schnellvorschau</translation>
    </message>
    <message>
        <source>Event</source>
        <translation>Termin</translation>
    </message>
    <message>
        <source>Events</source>
        <translation>Termine</translation>
    </message>
    <message>
        <source>Publish</source>
        <translation>Veröffentlichen</translation>
    </message>
    <message>
        <source>Layout (full)</source>
        <translation>Layout (voll)</translation>
    </message>
    <message>
        <source>Layout (left)</source>
        <translation>Layout (links)</translation>
    </message>
    <message>
        <source>Layout (right)</source>
        <translation>Layout (rechts)</translation>
    </message>
    <message>
        <source>Layout (center)</source>
        <translation>Layout (mittig)</translation>
    </message>
    <message>
        <source>New</source>
        <translation>Neu</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Save as...</source>
        <translation>Speichern unter ...</translation>
    </message>
    <message>
        <source>Close Project</source>
        <translation>Projekt schließen</translation>
    </message>
    <message>
        <source>Update Calendar in project</source>
        <translation>Kalender im Projekt aktualisieren</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Full</source>
        <translation>Voll</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>Links</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>Rechts</translation>
    </message>
    <message>
        <source>Center</source>
        <translation>Mittig</translation>
    </message>
    <message>
        <source>Layout</source>
        <translation>Layout</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>Aktualisieren</translation>
    </message>
    <message>
        <source>Preview in Browser</source>
        <translation>Vorschau im Browser</translation>
    </message>
    <message>
        <source>Ftp Settings</source>
        <translation>FTP-Einstellungen</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Über</translation>
    </message>
    <message>
        <source>Add event</source>
        <translation>Termin hinzufügen</translation>
    </message>
    <message>
        <source>Edit event</source>
        <translation>Termin bearbeiten</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Edit Event</source>
        <translation>Termin bearbeiten</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>Recent</source>
        <translation>Zuletzt geöffnet</translation>
    </message>
    <message>
        <source>&amp;Events</source>
        <translation>&amp;Termine</translation>
    </message>
    <message>
        <source>&amp;Preview</source>
        <translation>&amp;Vorschau</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>&amp;Optionen</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>User&apos;s Manual</source>
        <translation>Benutzerhandbuch</translation>
    </message>
    <message>
        <source>Commands</source>
        <translation>Befehle</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Optionen</translation>
    </message>
    <message>
        <source>Recover</source>
        <translation>Wiederherstellen</translation>
    </message>
    <message>
        <source>Discard</source>
        <translation>Verwerfen</translation>
    </message>
    <message>
        <source>Cannot start a web browser to show &quot;%1&quot;.</source>
        <translation>Es kann kein Webbrowser gestartet werden, um „%1“ anzuzeigen.</translation>
    </message>
</context>
<context>
    <name>qv::TFormTemplateSelect</name>
    <message>
        <source>Gallery Page</source>
        <translation>Galerieseite</translation>
    </message>
    <message>
        <source>Create</source>
        <translation>Erstellen</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Zurück</translation>
    </message>
    <message>
        <source>Gallery Page #%1</source>
        <translation>Galerieseite %1</translation>
    </message>
</context>
<context>
    <name>qv::TFormWizard</name>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Create New Calendar Project</source>
        <translation>Neues Kalenderprojekt erstellen</translation>
    </message>
    <message>
        <source>Choose a calendar and start your project instantly.</source>
        <translation>Wählen Sie einen Kalender und beginnen Sie sofort mit Ihrem Projekt.</translation>
    </message>
    <message>
        <source>Create</source>
        <translation>Erstellen</translation>
    </message>
    <message>
        <source>Select a calendar template and create a new project</source>
        <translation>Eine Kalendervorlage wählen und ein neues Projekt erstellen</translation>
    </message>
    <message>
        <source>Load Existing Calendar Project</source>
        <translation>Vorhandenes Kalenderprojekt laden</translation>
    </message>
    <message>
        <source>Load a previously saved calendar project to continue editing. </source>
        <translation>Laden Sie ein gespeichertes Kalenderprojekt, um es weiter zu bearbeiten. </translation>
    </message>
    <message>
        <source>Calendar Project:</source>
        <translation>Kalenderprojekt:</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>Durchsuchen ...</translation>
    </message>
    <message>
        <source>Click to open your saved project</source>
        <translation>Klicken, um Ihr gespeichertes Projekt zu öffnen</translation>
    </message>
    <message>
        <source>Skip</source>
        <translation>Überspringen</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Beenden</translation>
    </message>
</context>
<context>
    <name>qv::TFtpThread</name>
    <message>
        <source>Cannot create the folder &quot;%1&quot; on %2:
%3</source>
        <translation>Der Ordner „%1“ auf %2 kann nicht angelegt werden:
%3</translation>
    </message>
</context>
<context>
    <name>qv::TextLines</name>
    <message>
        <source>Cannot open file &quot;%1&quot;. %2</source>
        <translation>Die Datei „%1“ kann nicht geöffnet werden. %2</translation>
    </message>
</context>
<context>
    <name>qv::TfrmCategories</name>
    <message>
        <source>Categories</source>
        <translation>Kategorien</translation>
    </message>
    <message>
        <source>&amp;Rename</source>
        <translation>&amp;Umbenennen</translation>
    </message>
    <message>
        <source>C&amp;olour…</source>
        <translation>&amp;Farbe …</translation>
    </message>
    <message>
        <source>Re&amp;move</source>
        <translation>&amp;Entfernen</translation>
    </message>
    <message>
        <source>Move &amp;up</source>
        <translation>Nach &amp;oben</translation>
    </message>
    <message>
        <source>Move &amp;down</source>
        <translation>Nach &amp;unten</translation>
    </message>
    <message>
        <source>&amp;Add</source>
        <translation>&amp;Hinzufügen</translation>
    </message>
    <message>
        <source>&amp;Name</source>
        <translation>&amp;Name</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>&amp;Yes</source>
        <translation>&amp;Ja</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation>&amp;Nein</translation>
    </message>
</context>
<context>
    <name>qv::TfrmEmbedWizard</name>
    <message>
        <source>Webpages (*.htm *.html *.php *.asp);;All Files (*)</source>
        <translation>Webseiten (*.htm *.html *.php *.asp);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Embed Wizard</source>
        <translation>Einbettungsassistent</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopieren</translation>
    </message>
    <message>
        <source>Embed symbol copied to the clipboard</source>
        <translation>Einbettungsmarke in die Zwischenablage kopiert</translation>
    </message>
    <message>
        <source>&amp;Next</source>
        <translation>&amp;Weiter</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Schließen</translation>
    </message>
    <message>
        <source>Step 1</source>
        <translation>Schritt 1</translation>
    </message>
    <message>
        <source>Add an embed symbol to your target web page</source>
        <translation>Eine Einbettungsmarke in Ihre Zielseite einfügen</translation>
    </message>
    <message>
        <source>1. Copy the following embed symbol to the clipboard</source>
        <translation>1. Kopieren Sie die folgende Einbettungsmarke in die Zwischenablage</translation>
    </message>
    <message>
        <source>2. Open your target web page with any html editor (e.g. Frontpage, Dreamweaver)</source>
        <translation>2. Öffnen Sie Ihre Zielseite mit einem beliebigen HTML-Editor (z. B. Frontpage, Dreamweaver)</translation>
    </message>
    <message>
        <source>3. Locate the place in your target web page for embedding the event calendar. Paste the embed symbol to the specific place of the source code.</source>
        <translation>3. Suchen Sie die Stelle in Ihrer Zielseite, an der der Veranstaltungskalender erscheinen soll. Fügen Sie die Einbettungsmarke an dieser Stelle des Quelltextes ein.</translation>
    </message>
    <message>
        <source>4. Save and close your target web page file.</source>
        <translation>4. Speichern und schließen Sie die Datei Ihrer Zielseite.</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>Durchsuchen ...</translation>
    </message>
    <message>
        <source>Add the script of automatic activate Active X Control for MSIE</source>
        <translation>Skript zum automatischen Aktivieren des ActiveX-Steuerelements für MSIE hinzufügen</translation>
    </message>
    <message>
        <source>Full Size (100% x 100%)</source>
        <translation>Volle Größe (100 % x 100 %)</translation>
    </message>
    <message>
        <source>&amp;Previous</source>
        <translation>&amp;Zurück</translation>
    </message>
    <message>
        <source>Step 2</source>
        <translation>Schritt 2</translation>
    </message>
    <message>
        <source>Load your target web page</source>
        <translation>Ihre Zielseite laden</translation>
    </message>
    <message>
        <source>1. Browse the target web page again:</source>
        <translation>1. Wählen Sie die Zielseite erneut aus:</translation>
    </message>
    <message>
        <source>Pro&amp;cess</source>
        <translation>&amp;Ausführen</translation>
    </message>
    <message>
        <source>Step 3</source>
        <translation>Schritt 3</translation>
    </message>
    <message>
        <source>Preview Coding</source>
        <translation>Vorschau des Codes</translation>
    </message>
    <message>
        <source>Event Calendar code (text in blue) will be inserted into your target web page.</source>
        <translation>Der Code des Veranstaltungskalenders (blauer Text) wird in Ihre Zielseite eingefügt.</translation>
    </message>
    <message>
        <source>Click &quot;Process&quot; to continue.</source>
        <translation>Klicken Sie auf „Ausführen“, um fortzufahren.</translation>
    </message>
    <message>
        <source>&amp;Preview</source>
        <translation>&amp;Vorschau</translation>
    </message>
    <message>
        <source>Sample 1</source>
        <translation>Beispiel 1</translation>
    </message>
    <message>
        <source>Target web page and &quot;quorvel&quot; folder are placed under root directory of your site.</source>
        <translation>Zielseite und Ordner „quorvel“ liegen im Hauptverzeichnis Ihrer Website.</translation>
    </message>
    <message>
        <source>Sample 2</source>
        <translation>Beispiel 2</translation>
    </message>
    <message>
        <source>Target web page and &quot;quorvel&quot; folder are placed under a subfolder of your site.</source>
        <translation>Zielseite und Ordner „quorvel“ liegen in einem Unterordner Ihrer Website.</translation>
    </message>
    <message>
        <source>Step 4</source>
        <translation>Schritt 4</translation>
    </message>
    <message>
        <source>Finish</source>
        <translation>Fertigstellen</translation>
    </message>
    <message>
        <source>Event Calendar has been added to your target web page:</source>
        <translation>Der Veranstaltungskalender wurde in Ihre Zielseite eingefügt:</translation>
    </message>
    <message>
        <source>Please upload your files online to share with others.</source>
        <translation>Bitte laden Sie Ihre Dateien hoch, um sie mit anderen zu teilen.</translation>
    </message>
    <message>
        <source>Make sure the target web page and &quot;quorvel&quot; folder are placed in the same directory, like the following examples:</source>
        <translation>Achten Sie darauf, dass Zielseite und Ordner „quorvel“ im selben Verzeichnis liegen, wie in den folgenden Beispielen:</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>No embed symbol in source file</source>
        <translation>Keine Einbettungsmarke in der Quelldatei</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Preview function only support for .htm and .html only</source>
        <translation>Die Vorschau ist nur für .htm- und .html-Dateien möglich</translation>
    </message>
</context>
<context>
    <name>qv::TfrmFtpCreateDirectory</name>
    <message>
        <source>Create Directory</source>
        <translation>Ordner anlegen</translation>
    </message>
    <message>
        <source>Please enter the name of the directory which should be created:</source>
        <translation>Bitte geben Sie den Namen des anzulegenden Ordners ein:</translation>
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
    <name>qv::TfrmFtpModule</name>
    <message>
        <source>Publish To FTP</source>
        <translation>Per FTP veröffentlichen</translation>
    </message>
    <message>
        <source>FTP Information</source>
        <translation>FTP-Angaben</translation>
    </message>
    <message>
        <source>FTP Server</source>
        <translation>FTP-Server</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>Username</source>
        <translation>Benutzername</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Passwort</translation>
    </message>
    <message>
        <source>Local Folder</source>
        <translation>Lokaler Ordner</translation>
    </message>
    <message>
        <source>Remote Folder</source>
        <translation>Entfernter Ordner</translation>
    </message>
    <message>
        <source>Create Directory</source>
        <translation>Ordner anlegen</translation>
    </message>
    <message>
        <source>Up one level</source>
        <translation>Eine Ebene höher</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>Aktualisieren</translation>
    </message>
    <message>
        <source>This is a empty directory</source>
        <translation>Dieser Ordner ist leer</translation>
    </message>
    <message>
        <source>Local</source>
        <translation>Lokal</translation>
    </message>
    <message>
        <source>Remote</source>
        <translation>Server</translation>
    </message>
    <message>
        <source>&amp;Upload</source>
        <translation>&amp;Hochladen</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
    <message>
        <source>Upload only changed files</source>
        <translation>Nur geänderte Dateien hochladen</translation>
    </message>
    <message>
        <source>Uploading File</source>
        <translation>Datei wird hochgeladen</translation>
    </message>
    <message>
        <source>To Location</source>
        <translation>Ziel</translation>
    </message>
    <message>
        <source>Connection Failed</source>
        <translation>Verbindung fehlgeschlagen</translation>
    </message>
    <message>
        <source>There are problems in connection. Please check your settings in Mainmenu &gt; Options &gt; Ftp Settings.</source>
        <translation>Es gibt Probleme mit der Verbindung. Bitte prüfen Sie Ihre Einstellungen unter Hauptmenü &gt; Optionen &gt; FTP-Einstellungen.</translation>
    </message>
    <message>
        <source>Reason :</source>
        <translation>Grund:</translation>
    </message>
    <message>
        <source>Upload Complete</source>
        <translation>Hochladen abgeschlossen</translation>
    </message>
    <message>
        <source>All files are uploaded to your FTP server. You can view your published website online by clicking the possible link below. You may need to adjust the link if you are using shared server, or try http://www.example.com/index.html if you are uploading to root directory.</source>
        <translation>Alle Dateien wurden auf Ihren FTP-Server hochgeladen. Sie können Ihre veröffentlichte Website über den vermuteten Link unten ansehen. Bei einem gemeinsam genutzten Server müssen Sie den Link eventuell anpassen; wenn Sie ins Hauptverzeichnis hochladen, versuchen Sie http://www.example.com/index.html.</translation>
    </message>
    <message>
        <source>Click Here</source>
        <translation>Hier klicken</translation>
    </message>
    <message>
        <source>Possible URL :</source>
        <translation>Vermutete URL:</translation>
    </message>
    <message>
        <source>Incorrect URL?</source>
        <translation>Falsche URL?</translation>
    </message>
    <message>
        <source>to change your settings</source>
        <translation>um Ihre Einstellungen zu ändern</translation>
    </message>
    <message>
        <source>Please select remote folder before upload your files to web server. If you are already in correct remote folder, click upload to proceed.</source>
        <translation>Bitte wählen Sie den Ordner auf dem Server, bevor Sie Ihre Dateien hochladen. Wenn Sie bereits im richtigen Ordner sind, klicken Sie auf „Hochladen“.</translation>
    </message>
    <message>
        <source>Connecting to %1 ...</source>
        <translation>Verbindung zu %1 wird hergestellt ...</translation>
    </message>
    <message>
        <source> (a symbolic link, not uploaded)</source>
        <translation> (eine symbolische Verknüpfung, nicht hochgeladen)</translation>
    </message>
    <message>
        <source> (not a regular file, not uploaded)</source>
        <translation> (keine gewöhnliche Datei, nicht hochgeladen)</translation>
    </message>
    <message>
        <source>Not encrypted (plain FTP)</source>
        <translation>Nicht verschlüsselt (einfaches FTP)</translation>
    </message>
    <message>
        <source>Encrypted (%1)</source>
        <translation>Verschlüsselt (%1)</translation>
    </message>
    <message>
        <source>FTP over TLS</source>
        <translation>FTP über TLS</translation>
    </message>
    <message>
        <source>Directory already exist, please select another directory name!</source>
        <translation>Der Ordner existiert bereits, bitte wählen Sie einen anderen Namen!</translation>
    </message>
    <message>
        <source>Fail to create directory, please check your account permission!</source>
        <translation>Der Ordner konnte nicht angelegt werden, bitte prüfen Sie die Rechte Ihres Kontos!</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Upload is still in progress.
Are you sure you want to exit?</source>
        <translation>Das Hochladen läuft noch.
Möchten Sie wirklich beenden?</translation>
    </message>
</context>
<context>
    <name>qv::TfrmFtpSetting</name>
    <message>
        <source>Ftp Setting</source>
        <translation>FTP-Einstellungen</translation>
    </message>
    <message>
        <source>Default FTP Settings</source>
        <translation>Standard-FTP-Einstellungen</translation>
    </message>
    <message>
        <source>FTP Host</source>
        <translation>FTP-Host</translation>
    </message>
    <message>
        <source>FTP settings from your hosting company; e.g. ftp.example.com</source>
        <translation>FTP-Angaben Ihres Hosting-Anbieters, z. B. ftp.example.com</translation>
    </message>
    <message>
        <source>( Please do not fill in http:// or ftp:// in Ftp Host )</source>
        <translation>( Bitte beim FTP-Host kein http:// oder ftp:// eingeben )</translation>
    </message>
    <message>
        <source>Login</source>
        <translation>Anmeldename</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Passwort</translation>
    </message>
    <message>
        <source>Test Connection</source>
        <translation>Verbindung testen</translation>
    </message>
    <message>
        <source>Default Host Directory</source>
        <translation>Standardordner auf dem Host</translation>
    </message>
    <message>
        <source>e.g. htdoc, www</source>
        <translation>z. B. htdoc, www</translation>
    </message>
    <message>
        <source>(Auto Detected)</source>
        <translation>(automatisch erkannt)</translation>
    </message>
    <message>
        <source>This is to set the initial directory when login, e.g /htdocs , /public_html. If you are not sure the folder name, just leave this blank</source>
        <translation>Legt den Ordner fest, in dem Sie nach der Anmeldung beginnen, z. B. /htdocs oder /public_html. Wenn Sie den Ordnernamen nicht kennen, lassen Sie das Feld einfach leer</translation>
    </message>
    <message>
        <source>Protocol</source>
        <translation>Protokoll</translation>
    </message>
    <message>
        <source>Simultaneous transfers</source>
        <translation>Gleichzeitige Übertragungen</translation>
    </message>
    <message>
        <source>How many files an upload sends at once, each over a connection of its own. Use 1 when the server allows only one connection.</source>
        <translation>Wie viele Dateien beim Hochladen gleichzeitig gesendet werden, jede über eine eigene Verbindung. Wählen Sie 1, wenn der Server nur eine Verbindung erlaubt.</translation>
    </message>
    <message>
        <source>Transfer Mode</source>
        <translation>Übertragungsmodus</translation>
    </message>
    <message>
        <source>Active</source>
        <translation>Aktiv</translation>
    </message>
    <message>
        <source>Passive</source>
        <translation>Passiv</translation>
    </message>
    <message>
        <source>FTP Port</source>
        <translation>FTP-Port</translation>
    </message>
    <message>
        <source>(Default ftp port 21)</source>
        <translation>(Standard-FTP-Port 21)</translation>
    </message>
    <message>
        <source>Test Connection Result</source>
        <translation>Ergebnis des Verbindungstests</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
    <message>
        <source>(Default sftp port 22)</source>
        <translation>(Standard-SFTP-Port 22)</translation>
    </message>
    <message>
        <source>Connecting to %1 ...</source>
        <translation>Verbindung zu %1 wird hergestellt ...</translation>
    </message>
    <message>
        <source>Unable to write to %1</source>
        <translation>%1 kann nicht geschrieben werden</translation>
    </message>
</context>
<context>
    <name>qv::TfrmMonthBgImage</name>
    <message>
        <source>Monthly Background Image</source>
        <translation>Monatliches Hintergrundbild</translation>
    </message>
    <message>
        <source>Add background image for each month below:</source>
        <translation>Fügen Sie unten für jeden Monat ein Hintergrundbild hinzu:</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>Durchsuchen</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
</context>
<context>
    <name>qv::TfrmPublishUrl</name>
    <message>
        <source>Enter Your Website Address</source>
        <translation>Adresse Ihrer Website eingeben</translation>
    </message>
    <message>
        <source>After all files are uploaded, go to this URL to view the page online:</source>
        <translation>Wenn alle Dateien hochgeladen sind, rufen Sie diese URL auf, um die Seite online anzusehen:</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
</context>
<context>
    <name>qv::TfrmPublishing</name>
    <message>
        <source>Publishing</source>
        <translation>Veröffentlichen</translation>
    </message>
    <message>
        <source>Event Calendar has been published</source>
        <translation>Der Veranstaltungskalender wurde veröffentlicht</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Vorschau</translation>
    </message>
    <message>
        <source>Preview your Event Calendar</source>
        <translation>Vorschau Ihres Veranstaltungskalenders</translation>
    </message>
    <message>
        <source>Published Folder</source>
        <translation>Veröffentlichter Ordner</translation>
    </message>
    <message>
        <source>Upload the following Files/Folder to server</source>
        <translation>Laden Sie folgende Dateien/Ordner auf den Server</translation>
    </message>
    <message>
        <source>- quorvel (folder)</source>
        <translation>- quorvel (Ordner)</translation>
    </message>
    <message>
        <source>(Please make sure no other files/folders in the published folder)</source>
        <translation>(Bitte achten Sie darauf, dass keine anderen Dateien/Ordner im veröffentlichten Ordner liegen)</translation>
    </message>
    <message>
        <source>Ftp Setting</source>
        <translation>FTP-Einstellungen</translation>
    </message>
    <message>
        <source>Upload</source>
        <translation>Hochladen</translation>
    </message>
    <message>
        <source>Adding Event Calendar to your html based webpages</source>
        <translation>Den Veranstaltungskalender in Ihre HTML-Webseiten einfügen</translation>
    </message>
    <message>
        <source>To embed the calendar into one of your existing html based webpages, copy and paste the embed code below or using the embed wizard.</source>
        <translation>Um den Kalender in eine Ihrer vorhandenen HTML-Webseiten einzubetten, kopieren Sie den Einbettungscode unten und fügen ihn ein, oder nutzen Sie den Einbettungsassistenten.</translation>
    </message>
    <message>
        <source>Advanced User</source>
        <translation>Fortgeschrittene</translation>
    </message>
    <message>
        <source>1. Copy and paste the embed code to your html based webpage</source>
        <translation>1. Kopieren Sie den Einbettungscode in Ihre HTML-Webseite</translation>
    </message>
    <message>
        <source>Use full path for the embed code (when embed to mySpace, Blog etc)</source>
        <translation>Vollständigen Pfad im Einbettungscode verwenden (beim Einbetten in MySpace, Blogs usw.)</translation>
    </message>
    <message>
        <source>Add the script of automatic activate Active X Control for MSIE</source>
        <translation>Skript zum automatischen Aktivieren des ActiveX-Steuerelements für MSIE hinzufügen</translation>
    </message>
    <message>
        <source>2. Upload the embeded page together with the &quot;quorvel&quot; folder</source>
        <translation>2. Laden Sie die Seite mit dem eingebetteten Kalender zusammen mit dem Ordner „quorvel“ hoch</translation>
    </message>
    <message>
        <source>Copy to Clipboard</source>
        <translation>In die Zwischenablage kopieren</translation>
    </message>
    <message>
        <source>Beginner</source>
        <translation>Einsteiger</translation>
    </message>
    <message>
        <source>A step by step embed wizard adding embed code to html based webpage</source>
        <translation>Ein Assistent, der den Einbettungscode Schritt für Schritt in Ihre HTML-Webseite einfügt</translation>
    </message>
    <message>
        <source>Embed Wizard &gt;&gt;</source>
        <translation>Einbettungsassistent &gt;&gt;</translation>
    </message>
    <message>
        <source>After generate the embeded page with embed wizard, click &quot;Upload&quot; to upload the embeded page together with the &quot;quorvel&quot; folder.</source>
        <translation>Wenn der Einbettungsassistent die Seite erstellt hat, klicken Sie auf „Hochladen“, um sie zusammen mit dem Ordner „quorvel“ hochzuladen.</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
</context>
<context>
    <name>qv::Thumbnail</name>
    <message>
        <source>it is not a readable JPEG picture.</source>
        <translation>es ist kein lesbares JPEG-Bild.</translation>
    </message>
    <message>
        <source>Cannot read the picture &quot;%1&quot;: %2</source>
        <translation>Das Bild „%1“ kann nicht gelesen werden: %2</translation>
    </message>
</context>
<context>
    <name>qv::TransferStatus</name>
    <message>
        <source>%1 bytes</source>
        <translation>%1 Byte</translation>
    </message>
    <message>
        <source>%1 KB</source>
        <translation>%1 KB</translation>
    </message>
    <message>
        <source>%1 MB</source>
        <translation>%1 MB</translation>
    </message>
    <message>
        <source>%1 GB</source>
        <translation>%1 GB</translation>
    </message>
    <message>
        <source>%1 of %2, %3/s</source>
        <translation>%1 von %2, %3/s</translation>
    </message>
    <message>
        <source>(%1 of %2)</source>
        <translation>(%1 von %2)</translation>
    </message>
    <message>
        <source>%1 and %2 more</source>
        <translation>%1 und %2 weitere</translation>
    </message>
</context>
<context>
    <name>qv::TrustStore</name>
    <message>
        <source>This server does not offer encryption. Send your password and files unencrypted?</source>
        <translation>Dieser Server bietet keine Verschlüsselung an. Passwort und Dateien unverschlüsselt senden?</translation>
    </message>
    <message>
        <source>Send unencrypted</source>
        <translation>Unverschlüsselt senden</translation>
    </message>
    <message>
        <source>The certificate of this server has changed. Trust the new one?</source>
        <translation>Das Zertifikat dieses Servers hat sich geändert. Dem neuen vertrauen?</translation>
    </message>
    <message>
        <source>Trust the new certificate</source>
        <translation>Dem neuen Zertifikat vertrauen</translation>
    </message>
    <message>
        <source>Unable to write to %1</source>
        <translation>%1 kann nicht geschrieben werden</translation>
    </message>
    <message>
        <source>Trust this certificate?</source>
        <translation>Diesem Zertifikat vertrauen?</translation>
    </message>
    <message>
        <source>Trust this host key?</source>
        <translation>Diesem Host-Schlüssel vertrauen?</translation>
    </message>
</context>
<context>
    <name>qv::UnsavedWork</name>
    <message>
        <source>Recover the unsaved calendar from %1?</source>
        <translation>Den nicht gespeicherten Kalender vom %1 wiederherstellen?</translation>
    </message>
</context>
<context>
    <name>qv::UploadManifest</name>
    <message>
        <source>Cannot create folder &quot;%1&quot;</source>
        <translation>Der Ordner „%1“ kann nicht angelegt werden</translation>
    </message>
</context>
<context>
    <name>qv::WindowCaption</name>
    <message>
        <source>Untitled</source>
        <translation>Unbenannt</translation>
    </message>
</context>
<context>
    <name>qv::XmlDocument</name>
    <message>
        <source>The file holds no XML element.</source>
        <translation>Die Datei enthält kein XML-Element.</translation>
    </message>
    <message>
        <source>A name is expected here.</source>
        <translation>Hier wird ein Name erwartet.</translation>
    </message>
    <message>
        <source>A processing instruction is malformed.</source>
        <translation>Eine Verarbeitungsanweisung ist fehlerhaft.</translation>
    </message>
    <message>
        <source>A comment is malformed.</source>
        <translation>Ein Kommentar ist fehlerhaft.</translation>
    </message>
    <message>
        <source>A CDATA section is malformed.</source>
        <translation>Ein CDATA-Abschnitt ist fehlerhaft.</translation>
    </message>
    <message>
        <source>A data file may not hold a document type declaration.</source>
        <translation>Eine Datendatei darf keine Dokumenttyp-Deklaration enthalten.</translation>
    </message>
    <message>
        <source>A start tag is malformed.</source>
        <translation>Ein Start-Tag ist fehlerhaft.</translation>
    </message>
    <message>
        <source>An attribute is malformed.</source>
        <translation>Ein Attribut ist fehlerhaft.</translation>
    </message>
    <message>
        <source>A closing tag is malformed.</source>
        <translation>Ein End-Tag ist fehlerhaft.</translation>
    </message>
    <message>
        <source>A closing tag does not match its element.</source>
        <translation>Ein End-Tag passt nicht zu seinem Element.</translation>
    </message>
    <message>
        <source>There is not enough memory to read the file.</source>
        <translation>Zum Lesen der Datei reicht der Speicher nicht.</translation>
    </message>
    <message>
        <source>The file is not well-formed XML.</source>
        <translation>Die Datei ist kein wohlgeformtes XML.</translation>
    </message>
    <message>
        <source>The encoding %1 the file declares is not supported.</source>
        <translation>Die von der Datei angegebene Kodierung %1 wird nicht unterstützt.</translation>
    </message>
    <message>
        <source>The file is not valid %1.</source>
        <translation>Die Datei ist kein gültiges %1.</translation>
    </message>
    <message>
        <source>The attribute &quot;%1&quot; stands twice.</source>
        <translation>Das Attribut „%1“ steht doppelt.</translation>
    </message>
</context>
<context>
    <name>qv::XmlWellFormed</name>
    <message>
        <source>The XML declaration names no version.</source>
        <translation>Die XML-Deklaration nennt keine Version.</translation>
    </message>
    <message>
        <source>XML version %1 is not supported.</source>
        <translation>XML-Version %1 wird nicht unterstützt.</translation>
    </message>
    <message>
        <source>The encoding in the XML declaration is malformed.</source>
        <translation>Die Kodierung in der XML-Deklaration ist fehlerhaft.</translation>
    </message>
    <message>
        <source>The XML declaration&apos;s standalone value is malformed.</source>
        <translation>Der standalone-Wert der XML-Deklaration ist fehlerhaft.</translation>
    </message>
    <message>
        <source>The XML declaration is malformed.</source>
        <translation>Die XML-Deklaration ist fehlerhaft.</translation>
    </message>
    <message>
        <source>The element &lt;%1&gt; is not closed.</source>
        <translation>Das Element &lt;%1&gt; ist nicht geschlossen.</translation>
    </message>
    <message>
        <source>The file holds no XML element.</source>
        <translation>Die Datei enthält kein XML-Element.</translation>
    </message>
    <message>
        <source>&quot;]]&gt;&quot; may not stand in text.</source>
        <translation>„]]&gt;“ darf nicht im Text stehen.</translation>
    </message>
    <message>
        <source>Something follows the end of the top element.</source>
        <translation>Nach dem Ende des obersten Elements folgt noch etwas.</translation>
    </message>
    <message>
        <source>Text stands before the top element.</source>
        <translation>Vor dem obersten Element steht Text.</translation>
    </message>
    <message>
        <source>A data file may not hold a document type declaration.</source>
        <translation>Eine Datendatei darf keine Dokumenttyp-Deklaration enthalten.</translation>
    </message>
    <message>
        <source>&quot;&lt;!&quot; starts no comment or CDATA section.</source>
        <translation>„&lt;!“ beginnt keinen Kommentar und keinen CDATA-Abschnitt.</translation>
    </message>
    <message>
        <source>A comment is not closed.</source>
        <translation>Ein Kommentar ist nicht geschlossen.</translation>
    </message>
    <message>
        <source>&quot;--&quot; may not stand inside a comment.</source>
        <translation>„--“ darf nicht in einem Kommentar stehen.</translation>
    </message>
    <message>
        <source>A CDATA section is not closed.</source>
        <translation>Ein CDATA-Abschnitt ist nicht geschlossen.</translation>
    </message>
    <message>
        <source>An XML declaration may only stand at the very start.</source>
        <translation>Eine XML-Deklaration darf nur ganz am Anfang stehen.</translation>
    </message>
    <message>
        <source>A processing instruction is not closed.</source>
        <translation>Eine Verarbeitungsanweisung ist nicht geschlossen.</translation>
    </message>
    <message>
        <source>Elements are nested too deeply.</source>
        <translation>Die Elemente sind zu tief verschachtelt.</translation>
    </message>
    <message>
        <source>The tag &lt;%1&gt; is not closed.</source>
        <translation>Das Tag &lt;%1&gt; ist nicht geschlossen.</translation>
    </message>
    <message>
        <source>An attribute value is not closed.</source>
        <translation>Ein Attributwert ist nicht geschlossen.</translation>
    </message>
    <message>
        <source>&quot;&lt;&quot; may not stand in an attribute value.</source>
        <translation>„&lt;“ darf nicht in einem Attributwert stehen.</translation>
    </message>
    <message>
        <source>The closing tag &lt;/%1&gt; does not match the open element &lt;%2&gt;.</source>
        <translation>Das End-Tag &lt;/%1&gt; passt nicht zum offenen Element &lt;%2&gt;.</translation>
    </message>
    <message>
        <source>The closing tag &lt;/%1&gt; is not closed.</source>
        <translation>Das End-Tag &lt;/%1&gt; ist nicht geschlossen.</translation>
    </message>
    <message>
        <source>&quot;&amp;&quot; must start a reference such as &quot;&amp;amp;&quot;.</source>
        <translation>„&amp;“ muss einen Verweis wie „&amp;amp;“ beginnen.</translation>
    </message>
    <message>
        <source>The character reference &quot;&amp;%1;&quot; is not valid.</source>
        <translation>Der Zeichenverweis „&amp;%1;“ ist ungültig.</translation>
    </message>
    <message>
        <source>The entity &quot;&amp;%1;&quot; is not known.</source>
        <translation>Die Entität „&amp;%1;“ ist unbekannt.</translation>
    </message>
    <message>
        <source>The file is not valid UTF-8.</source>
        <translation>Die Datei ist kein gültiges UTF-8.</translation>
    </message>
    <message>
        <source>The character U+%1 may not stand in an XML file.</source>
        <translation>Das Zeichen U+%1 darf nicht in einer XML-Datei stehen.</translation>
    </message>
    <message>
        <source>%1 (line %2, column %3)</source>
        <translation>%1 (Zeile %2, Spalte %3)</translation>
    </message>
</context>
<context>
    <name>qv::ZipLayout</name>
    <message>
        <source>The archive cannot be read: %1</source>
        <translation>Das Archiv kann nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>The archive&apos;s central directory cannot be read.</source>
        <translation>Das zentrale Verzeichnis des Archivs kann nicht gelesen werden.</translation>
    </message>
    <message>
        <source>An entry of the archive reaches past its end.</source>
        <translation>Ein Eintrag des Archivs reicht über dessen Ende hinaus.</translation>
    </message>
    <message>
        <source>Entries of the archive share their stored bytes.</source>
        <translation>Einträge des Archivs teilen sich ihre gespeicherten Bytes.</translation>
    </message>
</context>
</TS>
