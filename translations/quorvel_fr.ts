<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr" sourcelanguage="en">
<context>
    <name>Categories</name>
    <message>
        <source>A category needs a name.</source>
        <translation>Une catégorie doit avoir un nom.</translation>
    </message>
    <message>
        <source>There is already a category named &quot;%1&quot;.</source>
        <translation>Il existe déjà une catégorie nommée « %1 ».</translation>
    </message>
    <message numerus="yes">
        <source>Events in the category &quot;%1&quot;: %n. Remove the category? Its events stay, without a category.</source>
        <translation>
            <numerusform>Événements de la catégorie « %1 » : %n. Supprimer la catégorie ? Ses événements restent, sans catégorie.</numerusform>
            <numerusform>Événements de la catégorie « %1 » : %n. Supprimer la catégorie ? Ses événements restent, sans catégorie.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>CategoryFilter</name>
    <message>
        <source>All categories</source>
        <translation>Toutes les catégories</translation>
    </message>
    <message>
        <source>Without category</source>
        <translation>Sans catégorie</translation>
    </message>
    <message>
        <source>(none)</source>
        <translation>(aucune)</translation>
    </message>
</context>
<context>
    <name>qv::AboutBox</name>
    <message>
        <source>&lt;h3&gt;%1&lt;/h3&gt;&lt;p&gt;Version %2&lt;/p&gt;&lt;p&gt;Design an event calendar and put it on your own web site.&lt;/p&gt;&lt;p&gt;Built with:&lt;/p&gt;&lt;ul&gt;&lt;li&gt;Qt %3 (Core, Gui, Widgets, Xml, Network, WebEngine), under the GNU LGPL version 3&lt;/li&gt;&lt;li&gt;Qt WebEngine, which includes Chromium, under the GNU LGPL version 3 and the licences of Chromium&apos;s components (BSD-style)&lt;/li&gt;&lt;li&gt;libzip %4, under the 3-clause BSD licence&lt;/li&gt;&lt;li&gt;zlib, under the zlib licence&lt;/li&gt;&lt;/ul&gt;</source>
        <translation>&lt;h3&gt;%1&lt;/h3&gt;&lt;p&gt;Version %2&lt;/p&gt;&lt;p&gt;Concevez un calendrier d’événements et placez-le sur votre propre site web.&lt;/p&gt;&lt;p&gt;Réalisé avec :&lt;/p&gt;&lt;ul&gt;&lt;li&gt;Qt %3 (Core, Gui, Widgets, Xml, Network, WebEngine), sous licence GNU LGPL version 3&lt;/li&gt;&lt;li&gt;Qt WebEngine, qui inclut Chromium, sous licence GNU LGPL version 3 et les licences des composants de Chromium (de type BSD)&lt;/li&gt;&lt;li&gt;libzip %4, sous licence BSD à trois clauses&lt;/li&gt;&lt;li&gt;zlib, sous licence zlib&lt;/li&gt;&lt;/ul&gt;</translation>
    </message>
    <message>
        <source>About</source>
        <translation>À propos</translation>
    </message>
</context>
<context>
    <name>qv::Application</name>
    <message>
        <source>Unknown error</source>
        <translation>Erreur inconnue</translation>
    </message>
</context>
<context>
    <name>qv::Archive</name>
    <message>
        <source>Cannot create &quot;%1&quot;: %2</source>
        <translation>Impossible de créer « %1 » : %2</translation>
    </message>
    <message>
        <source>Cannot add &quot;%1&quot;: %2</source>
        <translation>Impossible d’ajouter « %1 » : %2</translation>
    </message>
    <message>
        <source>Cannot write &quot;%1&quot;: %2</source>
        <translation>Impossible d’écrire « %1 » : %2</translation>
    </message>
    <message>
        <source>The archive holds %1 entries, more than %2.</source>
        <translation>L’archive contient %1 entrées, plus que %2.</translation>
    </message>
    <message>
        <source>Entry %1 cannot be read: %2</source>
        <translation>Impossible de lire l’entrée %1 : %2</translation>
    </message>
    <message>
        <source>The entry &quot;%1&quot; points outside the folder.</source>
        <translation>L’entrée « %1 » pointe hors du dossier.</translation>
    </message>
    <message>
        <source>The entry &quot;%1&quot; is a symbolic link.</source>
        <translation>L’entrée « %1 » est un lien symbolique.</translation>
    </message>
    <message>
        <source>The entries hold more than %1 bytes.</source>
        <translation>Les entrées contiennent plus de %1 octets.</translation>
    </message>
    <message>
        <source>Cannot create the folder &quot;%1&quot;.</source>
        <translation>Impossible de créer le dossier « %1 ».</translation>
    </message>
    <message>
        <source>Cannot read &quot;%1&quot;: %2</source>
        <translation>Impossible de lire « %1 » : %2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; holds more than it declares.</source>
        <translation>« %1 » contient plus qu’il ne déclare.</translation>
    </message>
    <message>
        <source>The folder &quot;%1&quot; does not exist.</source>
        <translation>Le dossier « %1 » n’existe pas.</translation>
    </message>
    <message>
        <source>Cannot replace &quot;%1&quot;: %2</source>
        <translation>Impossible de remplacer « %1 » : %2</translation>
    </message>
    <message>
        <source>It holds no data file (quorvel/data.xml).</source>
        <translation>Elle ne contient aucun fichier de données (quorvel/data.xml).</translation>
    </message>
    <message>
        <source>Its data file (quorvel/data.xml) is empty.</source>
        <translation>Son fichier de données (quorvel/data.xml) est vide.</translation>
    </message>
    <message>
        <source>Its data file (quorvel/data.xml) holds %1 bytes, more than %2.</source>
        <translation>Son fichier de données (quorvel/data.xml) contient %1 octets, plus que %2.</translation>
    </message>
    <message>
        <source>The archive cannot be opened: %1</source>
        <translation>Impossible d’ouvrir l’archive : %1</translation>
    </message>
</context>
<context>
    <name>qv::ArchiveProgressRunner</name>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
</context>
<context>
    <name>qv::ArchiveSplice</name>
    <message>
        <source>Cannot write &quot;%1&quot;: %2</source>
        <translation>Impossible d’écrire « %1 » : %2</translation>
    </message>
    <message>
        <source>Cannot read &quot;%1&quot;: %2</source>
        <translation>Impossible de lire « %1 » : %2</translation>
    </message>
    <message>
        <source>Cannot read back &quot;%1&quot;.</source>
        <translation>Impossible de relire « %1 ».</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is missing from &quot;%2&quot;.</source>
        <translation>« %1 » manque dans « %2 ».</translation>
    </message>
    <message>
        <source>Cannot read the earlier archive: %1</source>
        <translation>Impossible de lire l’archive précédente : %1</translation>
    </message>
</context>
<context>
    <name>qv::CalendarDocument</name>
    <message>
        <source>SetField no ind found - %1</source>
        <translation>SetField : aucun élément trouvé – %1</translation>
    </message>
    <message>
        <source>SetField no key found - %1</source>
        <translation>SetField : aucune clé trouvée – %1</translation>
    </message>
</context>
<context>
    <name>qv::ChangedFilesOnly</name>
    <message>
        <source>Unchanged files skipped: %1</source>
        <translation>Fichiers inchangés ignorés : %1</translation>
    </message>
</context>
<context>
    <name>qv::DataFileReader</name>
    <message>
        <source>&apos;%1&apos; is not a valid integer value</source>
        <translation>« %1 » n’est pas un nombre entier valide</translation>
    </message>
    <message>
        <source>The data file is larger than %1 MB; a calendar&apos;s data file is far smaller.</source>
        <translation>Le fichier de données dépasse %1 Mo ; le fichier de données d’un calendrier est bien plus petit.</translation>
    </message>
    <message>
        <source>The data file&apos;s top element is &lt;%1&gt;, not &lt;calendar&gt;.</source>
        <translation>L’élément racine du fichier de données est &lt;%1&gt;, et non &lt;calendar&gt;.</translation>
    </message>
    <message>
        <source>Cannot open file &quot;%1&quot;. %2</source>
        <translation>Impossible d’ouvrir le fichier « %1 ». %2</translation>
    </message>
    <message>
        <source>ERROR: %1</source>
        <translation>ERREUR : %1</translation>
    </message>
</context>
<context>
    <name>qv::EmbedCode</name>
    <message>
        <source>Warning: &quot;%1&quot; is not a web address starting with http:// or https://; the embed code may not find the calendar.</source>
        <translation>Attention : « %1 » n’est pas une adresse web commençant par http:// ou https:// ; le code d’intégration risque de ne pas trouver le calendrier.</translation>
    </message>
    <message>
        <source>The publish %1 must be a whole number from 1 to 10000, not &quot;%2&quot;.</source>
        <translation>La dimension de publication (%1) doit être un nombre entier de 1 à 10000, et non « %2 ».</translation>
    </message>
</context>
<context>
    <name>qv::EventEditorRules</name>
    <message>
        <source>New event - please edit</source>
        <translation>Nouvel événement – à modifier</translation>
    </message>
    <message>
        <source>New event content - please edit</source>
        <translation>Contenu du nouvel événement – à modifier</translation>
    </message>
</context>
<context>
    <name>qv::EventListPanel</name>
    <message>
        <source>Event filter</source>
        <translation>Filtre des événements</translation>
    </message>
    <message>
        <source>Show All Events</source>
        <translation>Tous les événements</translation>
    </message>
    <message>
        <source>Occurs once</source>
        <translation>Unique</translation>
    </message>
    <message>
        <source>Weekly event</source>
        <translation>Événement hebdomadaire</translation>
    </message>
    <message>
        <source>Monthly event</source>
        <translation>Événement mensuel</translation>
    </message>
    <message>
        <source>Once a year event</source>
        <translation>Événement annuel</translation>
    </message>
    <message>
        <source>Next 7 days</source>
        <translation>7 prochains jours</translation>
    </message>
    <message>
        <source>Next 30 days</source>
        <translation>30 prochains jours</translation>
    </message>
    <message>
        <source>Next 3 months</source>
        <translation>3 prochains mois</translation>
    </message>
    <message>
        <source>Next 6 months</source>
        <translation>6 prochains mois</translation>
    </message>
    <message>
        <source>Next year</source>
        <translation>Année prochaine</translation>
    </message>
    <message>
        <source>Type of event</source>
        <translation>Type d’événement</translation>
    </message>
    <message>
        <source>Time range</source>
        <translation>Période</translation>
    </message>
    <message>
        <source>Category</source>
        <translation>Catégorie</translation>
    </message>
</context>
<context>
    <name>qv::EventRowText</name>
    <message>
        <source>Once</source>
        <translation>Unique</translation>
    </message>
    <message>
        <source>Weekly (%1)</source>
        <translation>Hebdomadaire (%1)</translation>
    </message>
    <message>
        <source>Montly (%1)</source>
        <translation>Mensuel (%1)</translation>
    </message>
    <message>
        <source>Yearly (%1-%2)</source>
        <translation>Annuel (%1-%2)</translation>
    </message>
    <message>
        <source>, whole day, </source>
        <translation>, toute la journée, </translation>
    </message>
</context>
<context>
    <name>qv::EventsEditor</name>
    <message>
        <source>Bold</source>
        <translation>Gras</translation>
    </message>
    <message>
        <source>Italic</source>
        <translation>Italique</translation>
    </message>
    <message>
        <source>Underlined</source>
        <translation>Souligné</translation>
    </message>
    <message>
        <source>Text color</source>
        <translation>Couleur du texte</translation>
    </message>
    <message>
        <source>Would you like to delete &quot;%1&quot; event?</source>
        <translation>Voulez-vous supprimer l’événement « %1 » ?</translation>
    </message>
    <message>
        <source>Delete Event</source>
        <translation>Supprimer l’événement</translation>
    </message>
    <message>
        <source>You clicked &quot;delete event&quot; button</source>
        <translation>Vous avez choisi « Supprimer l’événement »</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Ouvrir</translation>
    </message>
    <message>
        <source>Delete Icon</source>
        <translation>Supprimer l’icône</translation>
    </message>
    <message>
        <source>You clicked &quot;remove icon&quot; button</source>
        <translation>Vous avez choisi « Retirer l’icône »</translation>
    </message>
    <message>
        <source>Would you like to remove icon?</source>
        <translation>Voulez-vous retirer l’icône ?</translation>
    </message>
</context>
<context>
    <name>qv::FolderCopy</name>
    <message>
        <source>the copy was cancelled.</source>
        <translation>la copie a été annulée.</translation>
    </message>
    <message>
        <source>Cannot copy &quot;%1&quot;: %2</source>
        <translation>Impossible de copier « %1 » : %2</translation>
    </message>
    <message>
        <source>the folder cannot be created.</source>
        <translation>le dossier ne peut pas être créé.</translation>
    </message>
    <message>
        <source>not a regular file.</source>
        <translation>ce n’est pas un fichier ordinaire.</translation>
    </message>
    <message>
        <source>Cannot copy &quot;%1&quot; into &quot;%2&quot;.</source>
        <translation>Impossible de copier « %1 » dans « %2 ».</translation>
    </message>
</context>
<context>
    <name>qv::FtpPasswordPlace</name>
    <message>
        <source>Password kept in the desktop&apos;s keyring</source>
        <translation>Mot de passe conservé dans le trousseau du bureau</translation>
    </message>
    <message>
        <source>Password kept in the settings file %1 (no keyring found)</source>
        <translation>Mot de passe conservé dans le fichier de paramètres %1 (aucun trousseau trouvé)</translation>
    </message>
</context>
<context>
    <name>qv::FtpSettingsRules</name>
    <message>
        <source>Please do not fill in any http:// or ftp:// in Ftp Host</source>
        <translation>Veuillez ne saisir ni http:// ni ftp:// dans l’hôte FTP</translation>
    </message>
    <message>
        <source>This is not a valid ftp port number</source>
        <translation>Ce n’est pas un numéro de port FTP valide</translation>
    </message>
    <message>
        <source>The ftp port should be a number in between 1 - 65535</source>
        <translation>Le port FTP doit être un nombre compris entre 1 et 65535</translation>
    </message>
    <message>
        <source>Connected to your server successfully!</source>
        <translation>Connexion à votre serveur réussie !</translation>
    </message>
</context>
<context>
    <name>qv::Functions</name>
    <message>
        <source>Cannot open file &quot;%1&quot;. %2</source>
        <translation>Impossible d’ouvrir le fichier « %1 ». %2</translation>
    </message>
</context>
<context>
    <name>qv::IcalCommands</name>
    <message>
        <source>iCalendar (*.ics);;All files (*)</source>
        <translation>iCalendar (*.ics);;Tous les fichiers (*)</translation>
    </message>
    <message>
        <source>Import from iCalendar…</source>
        <translation>Importer depuis iCalendar…</translation>
    </message>
    <message>
        <source>Export iCalendar…</source>
        <translation>Exporter en iCalendar…</translation>
    </message>
    <message>
        <source>Import from iCalendar</source>
        <translation>Importer depuis iCalendar</translation>
    </message>
    <message>
        <source>Export iCalendar</source>
        <translation>Exporter en iCalendar</translation>
    </message>
</context>
<context>
    <name>qv::IcsImport</name>
    <message>
        <source>&quot;%1&quot; was left out: &quot;%2&quot; has the same UID (%3).</source>
        <translation>« %1 » a été écarté : « %2 » a le même UID (%3).</translation>
    </message>
    <message>
        <source>The time zone &quot;%1&quot; is not in the system&apos;s zone database; its times were converted as the file describes the zone.</source>
        <translation>Le fuseau horaire « %1 » est absent de la base des fuseaux du système ; ses heures ont été converties selon la description du fichier.</translation>
    </message>
    <message>
        <source>The time zone &quot;%1&quot; is unknown; its times were taken as local time.</source>
        <translation>Le fuseau horaire « %1 » est inconnu ; ses heures ont été prises comme heures locales.</translation>
    </message>
    <message>
        <source>Events skipped for having no start: %1.</source>
        <translation>Événements ignorés faute de début : %1.</translation>
    </message>
    <message>
        <source>The calendar holds more than %1 events; nothing was imported.</source>
        <translation>Le calendrier contient plus de %1 événements ; rien n’a été importé.</translation>
    </message>
    <message>
        <source>its repeat rule cannot be read (%1); only its first date was imported</source>
        <translation>sa règle de répétition est illisible (%1) ; seule sa première date a été importée</translation>
    </message>
    <message>
        <source>it has several rules</source>
        <translation>il a plusieurs règles</translation>
    </message>
    <message>
        <source>it repeats on listed dates (RDATE)</source>
        <translation>il se répète à des dates énumérées (RDATE)</translation>
    </message>
    <message>
        <source>some of its dates are left out (EXDATE)</source>
        <translation>certaines de ses dates sont exclues (EXDATE)</translation>
    </message>
    <message>
        <source>it has extra dates (RDATE)</source>
        <translation>il a des dates supplémentaires (RDATE)</translation>
    </message>
    <message>
        <source>some of its occurrences were changed</source>
        <translation>certaines de ses occurrences ont été modifiées</translation>
    </message>
    <message>
        <source>each occurrence lasts more than a day</source>
        <translation>chaque occurrence dure plus d’un jour</translation>
    </message>
    <message>
        <source>its time zone changes its clocks on other days than this calendar&apos;s</source>
        <translation>son fuseau horaire change d’heure à d’autres dates que celui de ce calendrier</translation>
    </message>
    <message>
        <source>; made into %1 single events from %2 to %3</source>
        <translation> ; transformé en %1 événements uniques du %2 au %3</translation>
    </message>
    <message>
        <source>&quot;%1&quot;: only its first %2 occurrences were kept.</source>
        <translation>« %1 » : seules ses %2 premières occurrences ont été gardées.</translation>
    </message>
    <message>
        <source>&quot;%1&quot;: its rule was followed for %2 steps only.</source>
        <translation>« %1 » : sa règle n’a été suivie que sur %2 pas.</translation>
    </message>
    <message>
        <source>The calendar file is larger than %1 MB; nothing was imported.</source>
        <translation>Le fichier de calendrier dépasse %1 Mo ; rien n’a été importé.</translation>
    </message>
    <message>
        <source>The file is no iCalendar file (it has no BEGIN:VCALENDAR).</source>
        <translation>Ce fichier n’est pas un fichier iCalendar (il n’a pas de BEGIN:VCALENDAR).</translation>
    </message>
    <message>
        <source>The file could not be read as an iCalendar file.</source>
        <translation>Le fichier n’a pas pu être lu comme fichier iCalendar.</translation>
    </message>
    <message>
        <source>Cannot open file &quot;%1&quot;. %2</source>
        <translation>Impossible d’ouvrir le fichier « %1 ». %2</translation>
    </message>
</context>
<context>
    <name>qv::IcsMerge</name>
    <message>
        <source>&quot;%1&quot; was simplified: %2.</source>
        <translation>« %1 » a été simplifié : %2.</translation>
    </message>
    <message>
        <source>%1 events added, %2 updated, %3 removed, %4 simplified</source>
        <translation>%1 événements ajoutés, %2 mis à jour, %3 supprimés, %4 simplifiés</translation>
    </message>
    <message numerus="yes">
        <source>, %n new categories</source>
        <translation>
            <numerusform>, %n nouvelle catégorie</numerusform>
            <numerusform>, %n nouvelles catégories</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>qv::IcsParse</name>
    <message>
        <source>The time zone &quot;%1&quot; describes more changes of its offset than a time zone has; its repeating changes were left out.</source>
        <translation>Le fuseau horaire « %1 » décrit plus de changements de décalage qu’un fuseau n’en a ; ses changements répétés ont été écartés.</translation>
    </message>
</context>
<context>
    <name>qv::IcsProject</name>
    <message>
        <source>Cannot create a scratch folder: %1</source>
        <translation>Impossible de créer un dossier de travail : %1</translation>
    </message>
    <message>
        <source>Cannot open file &quot;%1&quot;.</source>
        <translation>Impossible d’ouvrir le fichier « %1 ».</translation>
    </message>
    <message>
        <source>ERROR: %1</source>
        <translation>ERREUR : %1</translation>
    </message>
</context>
<context>
    <name>qv::IcsRule</name>
    <message>
        <source>it repeats a set number of times (COUNT)</source>
        <translation>il se répète un nombre fixe de fois (COUNT)</translation>
    </message>
    <message>
        <source>it repeats every %1 periods (INTERVAL)</source>
        <translation>il se répète toutes les %1 périodes (INTERVAL)</translation>
    </message>
    <message>
        <source>its rule picks hours, days of the year or week numbers</source>
        <translation>sa règle choisit des heures, des jours de l’année ou des numéros de semaine</translation>
    </message>
    <message>
        <source>its weekly rule also picks days of the month</source>
        <translation>sa règle hebdomadaire choisit aussi des jours du mois</translation>
    </message>
    <message>
        <source>it repeats on several week days</source>
        <translation>il se répète plusieurs jours de la semaine</translation>
    </message>
    <message>
        <source>its weekly rule names a numbered week day</source>
        <translation>sa règle hebdomadaire nomme un jour de semaine numéroté</translation>
    </message>
    <message>
        <source>it repeats on a week day of the month</source>
        <translation>il se répète un jour de semaine du mois</translation>
    </message>
    <message>
        <source>its monthly rule picks months</source>
        <translation>sa règle mensuelle choisit des mois</translation>
    </message>
    <message>
        <source>it repeats in several months</source>
        <translation>il se répète sur plusieurs mois</translation>
    </message>
    <message>
        <source>the time zone moves it to another day</source>
        <translation>le fuseau horaire le déplace à un autre jour</translation>
    </message>
    <message>
        <source>it repeats on several days of the month</source>
        <translation>il se répète plusieurs jours du mois</translation>
    </message>
    <message>
        <source>its month is not one of the twelve</source>
        <translation>son mois n’est aucun des douze</translation>
    </message>
    <message>
        <source>it repeats every day</source>
        <translation>il se répète chaque jour</translation>
    </message>
    <message>
        <source>it repeats more often than daily</source>
        <translation>il se répète plus d’une fois par jour</translation>
    </message>
</context>
<context>
    <name>qv::KeychainPasswordStore</name>
    <message>
        <source>The program&apos;s keyring module cannot be loaded: %1</source>
        <translation>Le module de trousseau du programme ne peut pas être chargé : %1</translation>
    </message>
</context>
<context>
    <name>qv::MediaChoice</name>
    <message>
        <source>Delete Background Image</source>
        <translation>Supprimer l’image de fond</translation>
    </message>
    <message>
        <source>You clicked &quot;remove image&quot; button</source>
        <translation>Vous avez choisi « Retirer l’image »</translation>
    </message>
    <message>
        <source>Would you like to remove background image?</source>
        <translation>Voulez-vous retirer l’image de fond ?</translation>
    </message>
    <message>
        <source>Delete Background Music</source>
        <translation>Supprimer la musique de fond</translation>
    </message>
    <message>
        <source>You clicked &quot;remove music&quot; button</source>
        <translation>Vous avez choisi « Retirer la musique »</translation>
    </message>
    <message>
        <source>Would you like to remove background music?</source>
        <translation>Voulez-vous retirer la musique de fond ?</translation>
    </message>
    <message>
        <source>Pictures (*.jpg *.jpeg *.png *.gif *.webp);;JPEG Image (*.jpg *.jpeg);;Portable Network Graphics (*.png);;GIF Image (*.gif);;WebP Image (*.webp)</source>
        <translation>Images (*.jpg *.jpeg *.png *.gif *.webp);;Image JPEG (*.jpg *.jpeg);;Portable Network Graphics (*.png);;Image GIF (*.gif);;Image WebP (*.webp)</translation>
    </message>
    <message>
        <source>Music (*.mp3 *.ogg *.wav);;MP3 Audio (*.mp3);;Ogg Audio (*.ogg);;Wave Audio (*.wav)</source>
        <translation>Musique (*.mp3 *.ogg *.wav);;Audio MP3 (*.mp3);;Audio Ogg (*.ogg);;Audio Wave (*.wav)</translation>
    </message>
</context>
<context>
    <name>qv::MediaFiles</name>
    <message>
        <source>Cannot read the file &quot;%1&quot;.</source>
        <translation>Impossible de lire le fichier « %1 ».</translation>
    </message>
    <message>
        <source>Cannot create the folder &quot;%1&quot;.</source>
        <translation>Impossible de créer le dossier « %1 ».</translation>
    </message>
</context>
<context>
    <name>qv::OptionsPanel</name>
    <message>
        <source>Settings</source>
        <translation>Paramètres</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Titre</translation>
    </message>
    <message>
        <source>Subtitle</source>
        <translation>Sous-titre</translation>
    </message>
    <message>
        <source>Copyright</source>
        <translation>Copyright</translation>
    </message>
    <message>
        <source>Week starts on Monday</source>
        <translation>La semaine commence le lundi</translation>
    </message>
    <message>
        <source>Week starts on Sunday</source>
        <translation>La semaine commence le dimanche</translation>
    </message>
    <message>
        <source>12 hour</source>
        <translation>12 heures</translation>
    </message>
    <message>
        <source>24 hour</source>
        <translation>24 heures</translation>
    </message>
    <message>
        <source>Week Start</source>
        <translation>Début de semaine</translation>
    </message>
    <message>
        <source>Format</source>
        <translation>Format</translation>
    </message>
    <message>
        <source>auto: the language of the visitor&apos;s page or browser; or a language tag such as de or pt-BR</source>
        <translation>auto : la langue de la page ou du navigateur du visiteur ; ou un code de langue comme de ou pt-BR</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Langue</translation>
    </message>
    <message>
        <source>Cell Width</source>
        <translation>Largeur des cases</translation>
    </message>
    <message>
        <source>Cell Height</source>
        <translation>Hauteur des cases</translation>
    </message>
    <message>
        <source>Content Height</source>
        <translation>Hauteur du contenu</translation>
    </message>
    <message>
        <source>Content Margin</source>
        <translation>Marge du contenu</translation>
    </message>
    <message>
        <source>Original Size</source>
        <translation>Taille d’origine</translation>
    </message>
    <message>
        <source>Width</source>
        <translation>Largeur</translation>
    </message>
    <message>
        <source>Height</source>
        <translation>Hauteur</translation>
    </message>
    <message>
        <source>Bold</source>
        <translation>Gras</translation>
    </message>
    <message>
        <source>Italic</source>
        <translation>Italique</translation>
    </message>
    <message>
        <source>Underlined</source>
        <translation>Souligné</translation>
    </message>
    <message>
        <source>Text color</source>
        <translation>Couleur du texte</translation>
    </message>
    <message>
        <source>The time zone of the calendar&apos;s times: imported events are converted to it, and the calendar feed and iCalendar exports name it</source>
        <translation>Le fuseau horaire des heures du calendrier : les événements importés y sont convertis, et le flux du calendrier et les exports iCalendar l’indiquent</translation>
    </message>
    <message>
        <source>Time Zone</source>
        <translation>Fuseau horaire</translation>
    </message>
    <message>
        <source>Categories…</source>
        <translation>Catégories…</translation>
    </message>
</context>
<context>
    <name>qv::PnlEventEdit</name>
    <message>
        <source>Occurs once</source>
        <translation>Unique</translation>
    </message>
    <message>
        <source>Weekly event</source>
        <translation>Événement hebdomadaire</translation>
    </message>
    <message>
        <source>Monthly event</source>
        <translation>Événement mensuel</translation>
    </message>
    <message>
        <source>Once a year event</source>
        <translation>Événement annuel</translation>
    </message>
    <message>
        <source>Monday</source>
        <translation>Lundi</translation>
    </message>
    <message>
        <source>Tuesday</source>
        <translation>Mardi</translation>
    </message>
    <message>
        <source>Wednesday</source>
        <translation>Mercredi</translation>
    </message>
    <message>
        <source>Thursday</source>
        <translation>Jeudi</translation>
    </message>
    <message>
        <source>Friday</source>
        <translation>Vendredi</translation>
    </message>
    <message>
        <source>Saturday</source>
        <translation>Samedi</translation>
    </message>
    <message>
        <source>Sunday</source>
        <translation>Dimanche</translation>
    </message>
    <message>
        <source>January</source>
        <translation>Janvier</translation>
    </message>
    <message>
        <source>February</source>
        <translation>Février</translation>
    </message>
    <message>
        <source>March</source>
        <translation>Mars</translation>
    </message>
    <message>
        <source>April</source>
        <translation>Avril</translation>
    </message>
    <message>
        <source>May</source>
        <translation>Mai</translation>
    </message>
    <message>
        <source>June</source>
        <translation>Juin</translation>
    </message>
    <message>
        <source>July</source>
        <translation>Juillet</translation>
    </message>
    <message>
        <source>August</source>
        <translation>Août</translation>
    </message>
    <message>
        <source>September</source>
        <translation>Septembre</translation>
    </message>
    <message>
        <source>October</source>
        <translation>Octobre</translation>
    </message>
    <message>
        <source>November</source>
        <translation>Novembre</translation>
    </message>
    <message>
        <source>December</source>
        <translation>Décembre</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Paramètres</translation>
    </message>
    <message>
        <source>(yyyy-mm-dd)</source>
        <translation>(aaaa-mm-jj)</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Titre</translation>
    </message>
    <message>
        <source>Content</source>
        <translation>Contenu</translation>
    </message>
    <message>
        <source>Icon</source>
        <translation>Icône</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>Parcourir</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Retirer</translation>
    </message>
    <message>
        <source>Type of event</source>
        <translation>Type d’événement</translation>
    </message>
    <message>
        <source>Whole day event</source>
        <translation>Toute la journée</translation>
    </message>
    <message>
        <source>Start-end date</source>
        <translation>Dates de début et de fin</translation>
    </message>
    <message>
        <source>Start-end time</source>
        <translation>Heures de début et de fin</translation>
    </message>
    <message>
        <source>Week day</source>
        <translation>Jour de la semaine</translation>
    </message>
    <message>
        <source>Month day</source>
        <translation>Jour du mois</translation>
    </message>
    <message>
        <source>Month</source>
        <translation>Mois</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Enregistrer</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Please note that all changes must be saved or canceled</source>
        <translation>Attention : toute modification doit être enregistrée ou annulée</translation>
    </message>
    <message>
        <source>Category</source>
        <translation>Catégorie</translation>
    </message>
</context>
<context>
    <name>qv::ProjectLifecycle</name>
    <message>
        <source>Wrong file project!</source>
        <translation>Fichier de projet incorrect !</translation>
    </message>
    <message>
        <source>Cannot save project!</source>
        <translation>Impossible d’enregistrer le projet !</translation>
    </message>
    <message>
        <source>ERROR LOADING FILE: </source>
        <translation>ERREUR DE CHARGEMENT DU FICHIER : </translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Ouvrir</translation>
    </message>
    <message>
        <source>Cannot create the folder &quot;%1&quot;.</source>
        <translation>Impossible de créer le dossier « %1 ».</translation>
    </message>
    <message>
        <source>Opening project</source>
        <translation>Ouverture du projet</translation>
    </message>
    <message>
        <source>Cannot move the folder &quot;%1&quot; aside.</source>
        <translation>Impossible de mettre de côté le dossier « %1 ».</translation>
    </message>
    <message>
        <source>Cannot move the project into &quot;%1&quot;.</source>
        <translation>Impossible de déplacer le projet dans « %1 ».</translation>
    </message>
    <message>
        <source>The unsaved work that could not be recovered was kept in &quot;%1&quot;.</source>
        <translation>Le travail non enregistré qui n’a pas pu être récupéré a été conservé dans « %1 ».</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>Enregistrer sous</translation>
    </message>
    <message>
        <source>Saving project</source>
        <translation>Enregistrement du projet</translation>
    </message>
    <message>
        <source>Save Changes</source>
        <translation>Enregistrer les modifications</translation>
    </message>
    <message>
        <source>The contents of your document have changed</source>
        <translation>Le contenu de votre document a été modifié</translation>
    </message>
    <message>
        <source>Would you like to save your changes?  Click No only if you wish to abandon any changes.</source>
        <translation>Voulez-vous enregistrer vos modifications ?  Choisissez Non uniquement si vous souhaitez abandonner toutes les modifications.</translation>
    </message>
</context>
<context>
    <name>qv::ProjectUpdate</name>
    <message>
        <source>Flash Calendar %1 is not installed with your Plendix Flash Event Calendar</source>
        <translation>Le calendrier Flash %1 n’est pas installé avec votre Plendix Flash Event Calendar</translation>
    </message>
    <message>
        <source>Calendar files in your project will be replaced with the ones which comes with the software installation.</source>
        <translation>Les fichiers du calendrier de votre projet seront remplacés par ceux installés avec le logiciel.</translation>
    </message>
    <message>
        <source>Are you sure?</source>
        <translation>Êtes-vous sûr ?</translation>
    </message>
    <message>
        <source>Cannot read &quot;%1&quot;: %2</source>
        <translation>Impossible de lire « %1 » : %2</translation>
    </message>
    <message>
        <source>The template &quot;%1&quot; holds no calendar files.</source>
        <translation>Le modèle « %1 » ne contient aucun fichier de calendrier.</translation>
    </message>
    <message>
        <source>The calendar files could not be updated.
</source>
        <translation>Les fichiers du calendrier n’ont pas pu être mis à jour.
</translation>
    </message>
    <message>
        <source>Update Complete!</source>
        <translation>Mise à jour terminée !</translation>
    </message>
</context>
<context>
    <name>qv::PublishCommand</name>
    <message>
        <source>Publishing project</source>
        <translation>Publication du projet</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
</context>
<context>
    <name>qv::PublishToFolder</name>
    <message>
        <source>Please select EMPTY folder to publish this project. You can create folder first.</source>
        <translation>Veuillez choisir un dossier VIDE pour publier ce projet. Vous pouvez d’abord créer un dossier.</translation>
    </message>
    <message>
        <source>The project cannot be published into the folder &quot;%1&quot;: it is the project&apos;s working folder or lies inside it. Please choose another folder.</source>
        <translation>Le projet ne peut pas être publié dans le dossier « %1 » : c’est le dossier de travail du projet ou il s’y trouve. Veuillez choisir un autre dossier.</translation>
    </message>
    <message>
        <source>Cannot publish the project to &quot;%1&quot;; the files there are left as they were.
%2</source>
        <translation>Impossible de publier le projet dans « %1 » ; les fichiers qui s’y trouvent restent inchangés.
%2</translation>
    </message>
    <message>
        <source>Publish current project</source>
        <translation>Publier le projet en cours</translation>
    </message>
    <message>
        <source>Do you want to publish current project to %1 folder?</source>
        <translation>Voulez-vous publier le projet en cours dans le dossier %1 ?</translation>
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
        <translation>Confirmer</translation>
    </message>
    <message>
        <source>Always</source>
        <translation>Toujours</translation>
    </message>
    <message>
        <source>Once</source>
        <translation>Une fois</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
</context>
<context>
    <name>qv::RegularFile</name>
    <message>
        <source>No file name was given.</source>
        <translation>Aucun nom de fichier n’a été donné.</translation>
    </message>
    <message>
        <source>a folder</source>
        <translation>un dossier</translation>
    </message>
    <message>
        <source>a named pipe</source>
        <translation>un tube nommé</translation>
    </message>
    <message>
        <source>a device</source>
        <translation>un périphérique</translation>
    </message>
    <message>
        <source>a socket</source>
        <translation>une socket</translation>
    </message>
    <message>
        <source>not a regular file</source>
        <translation>pas un fichier ordinaire</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is %2, not a file.</source>
        <translation>« %1 » est %2, et non un fichier.</translation>
    </message>
    <message>
        <source>Cannot open file &quot;%1&quot;. %2</source>
        <translation>Impossible d’ouvrir le fichier « %1 ». %2</translation>
    </message>
</context>
<context>
    <name>qv::RemoteClient</name>
    <message>
        <source>
The server said: %1</source>
        <translation>
Réponse du serveur : %1</translation>
    </message>
    <message>
        <source>its fingerprint is not the one given to trust for this run</source>
        <translation>son empreinte n’est pas celle à laquelle se fier pour cette exécution</translation>
    </message>
    <message>
        <source>The upload was cancelled.</source>
        <translation>Le téléversement a été annulé.</translation>
    </message>
    <message>
        <source>The name &quot;%1&quot; holds a line break, which cannot be sent to an FTP server.</source>
        <translation>Le nom « %1 » contient un saut de ligne, qui ne peut pas être envoyé à un serveur FTP.</translation>
    </message>
    <message>
        <source>libcurl could not be started.</source>
        <translation>libcurl n’a pas pu être démarrée.</translation>
    </message>
    <message>
        <source>Not connected to the server.</source>
        <translation>Non connecté au serveur.</translation>
    </message>
    <message>
        <source>Cannot open the file &quot;%1&quot;: %2</source>
        <translation>Impossible d’ouvrir le fichier « %1 » : %2</translation>
    </message>
    <message>
        <source>A data connection came from %1 instead of the server; it was refused.</source>
        <translation>Une connexion de données est venue de %1 au lieu du serveur ; elle a été refusée.</translation>
    </message>
    <message>
        <source>WARNING: the %1 of %2 has changed. The server showed %3, but %4 was trusted for it. Someone may be intercepting the connection, so it was refused.</source>
        <translation>ATTENTION : %1 de %2 a changé. Le serveur a présenté %3, mais c’est %4 qui était approuvé. Quelqu’un intercepte peut-être la connexion ; elle a donc été refusée.</translation>
    </message>
    <message>
        <source>host key</source>
        <translation>la clé d’hôte</translation>
    </message>
    <message>
        <source>certificate</source>
        <translation>le certificat</translation>
    </message>
    <message>
        <source>The host key of %1 is not known.
Fingerprint: %2</source>
        <translation>La clé d’hôte de %1 est inconnue.
Empreinte : %2</translation>
    </message>
    <message>
        <source>The certificate of %1 is not trusted (%2).
SHA-256 fingerprint: %3</source>
        <translation>Le certificat de %1 n’est pas approuvé (%2).
Empreinte SHA-256 : %3</translation>
    </message>
    <message>
        <source>WARNING: %1 used encryption before but does not offer it now. Someone may be intercepting the connection, so your password and files were not sent.</source>
        <translation>ATTENTION : %1 chiffrait auparavant mais ne le propose plus. Quelqu’un intercepte peut-être la connexion ; votre mot de passe et vos fichiers n’ont donc pas été envoyés.</translation>
    </message>
    <message>
        <source>%1 does not offer encryption, so your password and files were not sent.</source>
        <translation>%1 ne propose pas de chiffrement ; votre mot de passe et vos fichiers n’ont donc pas été envoyés.</translation>
    </message>
    <message>
        <source>%1 refused to encrypt the file transfers (PROT P), so no file was sent.</source>
        <translation>%1 a refusé de chiffrer les transferts de fichiers (PROT P) ; aucun fichier n’a donc été envoyé.</translation>
    </message>
    <message>
        <source>The listing is longer than %1 MiB; the connection was closed.</source>
        <translation>Le listage dépasse %1 Mio ; la connexion a été fermée.</translation>
    </message>
    <message>
        <source>Cannot read the file &quot;%1&quot;: %2</source>
        <translation>Impossible de lire le fichier « %1 » : %2</translation>
    </message>
    <message>
        <source>%1 did not answer as an FTP server does; it sent &quot;%2&quot;.</source>
        <translation>%1 n’a pas répondu comme un serveur FTP ; il a envoyé « %2 ».</translation>
    </message>
    <message>
        <source>Cannot open the folder &quot;%1&quot; on %2:
</source>
        <translation>Impossible d’ouvrir le dossier « %1 » sur %2 :
</translation>
    </message>
    <message>
        <source>Connection timed out: %1</source>
        <translation>Délai de connexion dépassé : %1</translation>
    </message>
    <message>
        <source>Cannot connect to %1: %2</source>
        <translation>Impossible de se connecter à %1 : %2</translation>
    </message>
    <message>
        <source>The server refused the login name or password.</source>
        <translation>Le serveur a refusé l’identifiant ou le mot de passe.</translation>
    </message>
    <message>
        <source>the server closed the connection.</source>
        <translation>le serveur a fermé la connexion.</translation>
    </message>
    <message>
        <source>The connection to %1 was lost while sending &quot;%2&quot;: %3</source>
        <translation>La connexion à %1 a été perdue pendant l’envoi de « %2 » : %3</translation>
    </message>
    <message>
        <source>The connection to %1 was lost: %2</source>
        <translation>La connexion à %1 a été perdue : %2</translation>
    </message>
    <message>
        <source>Connection timed out: no data moved for %1 s.</source>
        <translation>Délai de connexion dépassé : aucune donnée transférée pendant %1 s.</translation>
    </message>
</context>
<context>
    <name>qv::RemoteProtocol</name>
    <message>
        <source>FTP over TLS (explicit)</source>
        <translation>FTP sur TLS (explicite)</translation>
    </message>
</context>
<context>
    <name>qv::StagedFile</name>
    <message>
        <source>Cannot create file &quot;%1&quot;. %2</source>
        <translation>Impossible de créer le fichier « %1 ». %2</translation>
    </message>
    <message>
        <source>Cannot write file &quot;%1&quot;. %2</source>
        <translation>Impossible d’écrire le fichier « %1 ». %2</translation>
    </message>
</context>
<context>
    <name>qv::StagedFolderCopy</name>
    <message>
        <source>&quot;%1&quot; is in the way: a %2 of that name is there.</source>
        <translation>« %1 » gêne : %2 de ce nom s’y trouve déjà.</translation>
    </message>
    <message>
        <source>file</source>
        <translation>un fichier</translation>
    </message>
    <message>
        <source>folder</source>
        <translation>un dossier</translation>
    </message>
    <message>
        <source>Cannot create the folder &quot;%1&quot;.</source>
        <translation>Impossible de créer le dossier « %1 ».</translation>
    </message>
    <message>
        <source>Cannot replace &quot;%1&quot;: %2</source>
        <translation>Impossible de remplacer « %1 » : %2</translation>
    </message>
    <message>
        <source>Cannot create a folder in &quot;%1&quot;.</source>
        <translation>Impossible de créer un dossier dans « %1 ».</translation>
    </message>
    <message>
        <source>The folder &quot;%1&quot; does not exist.</source>
        <translation>Le dossier « %1 » n’existe pas.</translation>
    </message>
</context>
<context>
    <name>qv::StyleEditor</name>
    <message>
        <source>Header</source>
        <translation>En-tête</translation>
    </message>
    <message>
        <source>Menu</source>
        <translation>Menu</translation>
    </message>
    <message>
        <source>Footer</source>
        <translation>Pied de page</translation>
    </message>
    <message>
        <source>Background</source>
        <translation>Arrière-plan</translation>
    </message>
    <message>
        <source>Calendar cell</source>
        <translation>Case du calendrier</translation>
    </message>
    <message>
        <source>Calendar cell today</source>
        <translation>Case du jour</translation>
    </message>
    <message>
        <source>Calendar cell occupied</source>
        <translation>Case occupée</translation>
    </message>
    <message>
        <source>Calendar cell selected</source>
        <translation>Case sélectionnée</translation>
    </message>
    <message>
        <source>Month and year</source>
        <translation>Mois et année</translation>
    </message>
    <message>
        <source>Day of week</source>
        <translation>Jour de la semaine</translation>
    </message>
    <message>
        <source>Date of month</source>
        <translation>Date du mois</translation>
    </message>
    <message>
        <source>Event text</source>
        <translation>Texte des événements</translation>
    </message>
    <message>
        <source>Event background</source>
        <translation>Fond des événements</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>Parcourir</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Retirer</translation>
    </message>
    <message>
        <source>Item</source>
        <translation>Élément</translation>
    </message>
    <message>
        <source>Color</source>
        <translation>Couleur</translation>
    </message>
    <message>
        <source>Select</source>
        <translation>Choisir</translation>
    </message>
    <message>
        <source>Opacity</source>
        <translation>Opacité</translation>
    </message>
    <message>
        <source>URI</source>
        <translation>URI</translation>
    </message>
    <message>
        <source>Background URI</source>
        <translation>URI de l’arrière-plan</translation>
    </message>
    <message>
        <source>Enable Monthly Background</source>
        <translation>Arrière-plan mensuel</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Paramètres</translation>
    </message>
    <message>
        <source>Play on startup</source>
        <translation>Jouer au démarrage</translation>
    </message>
    <message>
        <source>Music</source>
        <translation>Musique</translation>
    </message>
    <message>
        <source>Volume</source>
        <translation>Volume</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Ouvrir</translation>
    </message>
</context>
<context>
    <name>qv::TFormMain</name>
    <message>
        <source>General</source>
        <translation>Général</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Taille</translation>
    </message>
    <message>
        <source>Style</source>
        <translation>Style</translation>
    </message>
    <message>
        <source>Quick Preview</source>
        <translation>Aperçu rapide</translation>
    </message>
    <message>
        <source>Event</source>
        <translation>Événement</translation>
    </message>
    <message>
        <source>Events</source>
        <translation>Événements</translation>
    </message>
    <message>
        <source>Publish</source>
        <translation>Publier</translation>
    </message>
    <message>
        <source>Layout (full)</source>
        <translation>Disposition (pleine)</translation>
    </message>
    <message>
        <source>Layout (left)</source>
        <translation>Disposition (gauche)</translation>
    </message>
    <message>
        <source>Layout (right)</source>
        <translation>Disposition (droite)</translation>
    </message>
    <message>
        <source>Layout (center)</source>
        <translation>Disposition (centrée)</translation>
    </message>
    <message>
        <source>New</source>
        <translation>Nouveau</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Ouvrir</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Enregistrer</translation>
    </message>
    <message>
        <source>Save as...</source>
        <translation>Enregistrer sous...</translation>
    </message>
    <message>
        <source>Close Project</source>
        <translation>Fermer le projet</translation>
    </message>
    <message>
        <source>Update Calendar in project</source>
        <translation>Mettre à jour le calendrier du projet</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Quitter</translation>
    </message>
    <message>
        <source>Full</source>
        <translation>Pleine</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>Gauche</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>Droite</translation>
    </message>
    <message>
        <source>Center</source>
        <translation>Centrée</translation>
    </message>
    <message>
        <source>Layout</source>
        <translation>Disposition</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>Actualiser</translation>
    </message>
    <message>
        <source>Preview in Browser</source>
        <translation>Aperçu dans le navigateur</translation>
    </message>
    <message>
        <source>Ftp Settings</source>
        <translation>Paramètres FTP</translation>
    </message>
    <message>
        <source>About</source>
        <translation>À propos</translation>
    </message>
    <message>
        <source>Add event</source>
        <translation>Ajouter un événement</translation>
    </message>
    <message>
        <source>Edit event</source>
        <translation>Modifier</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Supprimer</translation>
    </message>
    <message>
        <source>Edit Event</source>
        <translation>Modifier l’événement</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Fichier</translation>
    </message>
    <message>
        <source>Recent</source>
        <translation>Récents</translation>
    </message>
    <message>
        <source>&amp;Events</source>
        <translation>É&amp;vénements</translation>
    </message>
    <message>
        <source>&amp;Preview</source>
        <translation>A&amp;perçu</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>&amp;Options</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Aide</translation>
    </message>
    <message>
        <source>User&apos;s Manual</source>
        <translation>Manuel d’utilisation</translation>
    </message>
    <message>
        <source>Commands</source>
        <translation>Commandes</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>Recover</source>
        <translation>Récupérer</translation>
    </message>
    <message>
        <source>Discard</source>
        <translation>Abandonner</translation>
    </message>
    <message>
        <source>Cannot start a web browser to show &quot;%1&quot;.</source>
        <translation>Impossible de lancer un navigateur web pour afficher « %1 ».</translation>
    </message>
</context>
<context>
    <name>qv::TFormTemplateSelect</name>
    <message>
        <source>Gallery Page</source>
        <translation>Page de la galerie</translation>
    </message>
    <message>
        <source>Create</source>
        <translation>Créer</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Retour</translation>
    </message>
    <message>
        <source>Gallery Page #%1</source>
        <translation>Page de la galerie n° %1</translation>
    </message>
</context>
<context>
    <name>qv::TFormWizard</name>
    <message>
        <source>Open</source>
        <translation>Ouvrir</translation>
    </message>
    <message>
        <source>Create New Calendar Project</source>
        <translation>Créer un nouveau projet de calendrier</translation>
    </message>
    <message>
        <source>Choose a calendar and start your project instantly.</source>
        <translation>Choisissez un calendrier et commencez votre projet tout de suite.</translation>
    </message>
    <message>
        <source>Create</source>
        <translation>Créer</translation>
    </message>
    <message>
        <source>Select a calendar template and create a new project</source>
        <translation>Choisir un modèle de calendrier et créer un nouveau projet</translation>
    </message>
    <message>
        <source>Load Existing Calendar Project</source>
        <translation>Charger un projet de calendrier existant</translation>
    </message>
    <message>
        <source>Load a previously saved calendar project to continue editing. </source>
        <translation>Chargez un projet de calendrier enregistré pour continuer à le modifier. </translation>
    </message>
    <message>
        <source>Calendar Project:</source>
        <translation>Projet de calendrier :</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>Parcourir...</translation>
    </message>
    <message>
        <source>Click to open your saved project</source>
        <translation>Cliquez pour ouvrir votre projet enregistré</translation>
    </message>
    <message>
        <source>Skip</source>
        <translation>Passer</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Quitter</translation>
    </message>
</context>
<context>
    <name>qv::TFtpThread</name>
    <message>
        <source>Cannot create the folder &quot;%1&quot; on %2:
%3</source>
        <translation>Impossible de créer le dossier « %1 » sur %2 :
%3</translation>
    </message>
</context>
<context>
    <name>qv::TextLines</name>
    <message>
        <source>Cannot open file &quot;%1&quot;. %2</source>
        <translation>Impossible d’ouvrir le fichier « %1 ». %2</translation>
    </message>
</context>
<context>
    <name>qv::TfrmCategories</name>
    <message>
        <source>Categories</source>
        <translation>Catégories</translation>
    </message>
    <message>
        <source>&amp;Rename</source>
        <translation>&amp;Renommer</translation>
    </message>
    <message>
        <source>C&amp;olour…</source>
        <translation>C&amp;ouleur…</translation>
    </message>
    <message>
        <source>Re&amp;move</source>
        <translation>&amp;Supprimer</translation>
    </message>
    <message>
        <source>Move &amp;up</source>
        <translation>Monter (&amp;h)</translation>
    </message>
    <message>
        <source>Move &amp;down</source>
        <translation>Descen&amp;dre</translation>
    </message>
    <message>
        <source>&amp;Add</source>
        <translation>&amp;Ajouter</translation>
    </message>
    <message>
        <source>&amp;Name</source>
        <translation>&amp;Nom</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>&amp;Yes</source>
        <translation>&amp;Oui</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation>&amp;Non</translation>
    </message>
</context>
<context>
    <name>qv::TfrmEmbedWizard</name>
    <message>
        <source>Webpages (*.htm *.html *.php *.asp);;All Files (*)</source>
        <translation>Pages web (*.htm *.html *.php *.asp);;Tous les fichiers (*)</translation>
    </message>
    <message>
        <source>Embed Wizard</source>
        <translation>Assistant d’intégration</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Copier</translation>
    </message>
    <message>
        <source>Embed symbol copied to the clipboard</source>
        <translation>Marqueur d’intégration copié dans le presse-papiers</translation>
    </message>
    <message>
        <source>&amp;Next</source>
        <translation>&amp;Suivant</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Fermer</translation>
    </message>
    <message>
        <source>Step 1</source>
        <translation>Étape 1</translation>
    </message>
    <message>
        <source>Add an embed symbol to your target web page</source>
        <translation>Ajoutez un marqueur d’intégration à votre page cible</translation>
    </message>
    <message>
        <source>1. Copy the following embed symbol to the clipboard</source>
        <translation>1. Copiez le marqueur d’intégration suivant dans le presse-papiers</translation>
    </message>
    <message>
        <source>2. Open your target web page with any html editor (e.g. Frontpage, Dreamweaver)</source>
        <translation>2. Ouvrez votre page cible dans un éditeur HTML (par ex. Frontpage, Dreamweaver)</translation>
    </message>
    <message>
        <source>3. Locate the place in your target web page for embedding the event calendar. Paste the embed symbol to the specific place of the source code.</source>
        <translation>3. Repérez l’endroit de votre page cible où intégrer le calendrier d’événements. Collez le marqueur d’intégration à cet endroit du code source.</translation>
    </message>
    <message>
        <source>4. Save and close your target web page file.</source>
        <translation>4. Enregistrez et fermez le fichier de votre page cible.</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>Parcourir...</translation>
    </message>
    <message>
        <source>Add the script of automatic activate Active X Control for MSIE</source>
        <translation>Ajouter le script d’activation automatique du contrôle ActiveX pour MSIE</translation>
    </message>
    <message>
        <source>Full Size (100% x 100%)</source>
        <translation>Pleine taille (100 % x 100 %)</translation>
    </message>
    <message>
        <source>&amp;Previous</source>
        <translation>&amp;Précédent</translation>
    </message>
    <message>
        <source>Step 2</source>
        <translation>Étape 2</translation>
    </message>
    <message>
        <source>Load your target web page</source>
        <translation>Chargez votre page cible</translation>
    </message>
    <message>
        <source>1. Browse the target web page again:</source>
        <translation>1. Choisissez de nouveau la page cible :</translation>
    </message>
    <message>
        <source>Pro&amp;cess</source>
        <translation>&amp;Traiter</translation>
    </message>
    <message>
        <source>Step 3</source>
        <translation>Étape 3</translation>
    </message>
    <message>
        <source>Preview Coding</source>
        <translation>Aperçu du code</translation>
    </message>
    <message>
        <source>Event Calendar code (text in blue) will be inserted into your target web page.</source>
        <translation>Le code du calendrier d’événements (texte en bleu) sera inséré dans votre page cible.</translation>
    </message>
    <message>
        <source>Click &quot;Process&quot; to continue.</source>
        <translation>Cliquez sur « Traiter » pour continuer.</translation>
    </message>
    <message>
        <source>&amp;Preview</source>
        <translation>A&amp;perçu</translation>
    </message>
    <message>
        <source>Sample 1</source>
        <translation>Exemple 1</translation>
    </message>
    <message>
        <source>Target web page and &quot;quorvel&quot; folder are placed under root directory of your site.</source>
        <translation>La page cible et le dossier « quorvel » sont à la racine de votre site.</translation>
    </message>
    <message>
        <source>Sample 2</source>
        <translation>Exemple 2</translation>
    </message>
    <message>
        <source>Target web page and &quot;quorvel&quot; folder are placed under a subfolder of your site.</source>
        <translation>La page cible et le dossier « quorvel » sont dans un sous-dossier de votre site.</translation>
    </message>
    <message>
        <source>Step 4</source>
        <translation>Étape 4</translation>
    </message>
    <message>
        <source>Finish</source>
        <translation>Terminé</translation>
    </message>
    <message>
        <source>Event Calendar has been added to your target web page:</source>
        <translation>Le calendrier d’événements a été ajouté à votre page cible :</translation>
    </message>
    <message>
        <source>Please upload your files online to share with others.</source>
        <translation>Téléversez vos fichiers en ligne pour les partager.</translation>
    </message>
    <message>
        <source>Make sure the target web page and &quot;quorvel&quot; folder are placed in the same directory, like the following examples:</source>
        <translation>Veillez à placer la page cible et le dossier « quorvel » dans le même dossier, comme dans les exemples suivants :</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Attention</translation>
    </message>
    <message>
        <source>No embed symbol in source file</source>
        <translation>Aucun marqueur d’intégration dans le fichier source</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Ouvrir</translation>
    </message>
    <message>
        <source>Preview function only support for .htm and .html only</source>
        <translation>L’aperçu n’est possible que pour les fichiers .htm et .html</translation>
    </message>
</context>
<context>
    <name>qv::TfrmFtpCreateDirectory</name>
    <message>
        <source>Create Directory</source>
        <translation>Créer un dossier</translation>
    </message>
    <message>
        <source>Please enter the name of the directory which should be created:</source>
        <translation>Veuillez saisir le nom du dossier à créer :</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
</context>
<context>
    <name>qv::TfrmFtpModule</name>
    <message>
        <source>Publish To FTP</source>
        <translation>Publier par FTP</translation>
    </message>
    <message>
        <source>FTP Information</source>
        <translation>Informations FTP</translation>
    </message>
    <message>
        <source>FTP Server</source>
        <translation>Serveur FTP</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>Username</source>
        <translation>Identifiant</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Mot de passe</translation>
    </message>
    <message>
        <source>Local Folder</source>
        <translation>Dossier local</translation>
    </message>
    <message>
        <source>Remote Folder</source>
        <translation>Dossier distant</translation>
    </message>
    <message>
        <source>Create Directory</source>
        <translation>Créer un dossier</translation>
    </message>
    <message>
        <source>Up one level</source>
        <translation>Dossier parent</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>Actualiser</translation>
    </message>
    <message>
        <source>This is a empty directory</source>
        <translation>Ce dossier est vide</translation>
    </message>
    <message>
        <source>Local</source>
        <translation>Local</translation>
    </message>
    <message>
        <source>Remote</source>
        <translation>Distant</translation>
    </message>
    <message>
        <source>&amp;Upload</source>
        <translation>&amp;Téléverser</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Annuler</translation>
    </message>
    <message>
        <source>Upload only changed files</source>
        <translation>Téléverser uniquement les fichiers modifiés</translation>
    </message>
    <message>
        <source>Uploading File</source>
        <translation>Fichier en cours</translation>
    </message>
    <message>
        <source>To Location</source>
        <translation>Destination</translation>
    </message>
    <message>
        <source>Connection Failed</source>
        <translation>Échec de la connexion</translation>
    </message>
    <message>
        <source>There are problems in connection. Please check your settings in Mainmenu &gt; Options &gt; Ftp Settings.</source>
        <translation>La connexion pose problème. Vérifiez vos paramètres dans Menu principal &gt; Options &gt; Paramètres FTP.</translation>
    </message>
    <message>
        <source>Reason :</source>
        <translation>Raison :</translation>
    </message>
    <message>
        <source>Upload Complete</source>
        <translation>Téléversement terminé</translation>
    </message>
    <message>
        <source>All files are uploaded to your FTP server. You can view your published website online by clicking the possible link below. You may need to adjust the link if you are using shared server, or try http://www.example.com/index.html if you are uploading to root directory.</source>
        <translation>Tous les fichiers ont été téléversés sur votre serveur FTP. Vous pouvez voir votre site publié en ligne en cliquant sur le lien probable ci-dessous. Sur un serveur mutualisé, il faudra peut-être adapter le lien ; si vous téléversez à la racine, essayez http://www.example.com/index.html.</translation>
    </message>
    <message>
        <source>Click Here</source>
        <translation>Cliquez ici</translation>
    </message>
    <message>
        <source>Possible URL :</source>
        <translation>URL probable :</translation>
    </message>
    <message>
        <source>Incorrect URL?</source>
        <translation>URL incorrecte ?</translation>
    </message>
    <message>
        <source>to change your settings</source>
        <translation>pour modifier vos paramètres</translation>
    </message>
    <message>
        <source>Please select remote folder before upload your files to web server. If you are already in correct remote folder, click upload to proceed.</source>
        <translation>Choisissez le dossier distant avant de téléverser vos fichiers sur le serveur web. Si vous êtes déjà dans le bon dossier, cliquez sur « Téléverser ».</translation>
    </message>
    <message>
        <source>Connecting to %1 ...</source>
        <translation>Connexion à %1...</translation>
    </message>
    <message>
        <source> (a symbolic link, not uploaded)</source>
        <translation> (lien symbolique, non téléversé)</translation>
    </message>
    <message>
        <source> (not a regular file, not uploaded)</source>
        <translation> (pas un fichier ordinaire, non téléversé)</translation>
    </message>
    <message>
        <source>Not encrypted (plain FTP)</source>
        <translation>Non chiffré (FTP simple)</translation>
    </message>
    <message>
        <source>Encrypted (%1)</source>
        <translation>Chiffré (%1)</translation>
    </message>
    <message>
        <source>FTP over TLS</source>
        <translation>FTP sur TLS</translation>
    </message>
    <message>
        <source>Directory already exist, please select another directory name!</source>
        <translation>Ce dossier existe déjà, veuillez choisir un autre nom !</translation>
    </message>
    <message>
        <source>Fail to create directory, please check your account permission!</source>
        <translation>Impossible de créer le dossier, vérifiez les droits de votre compte !</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>Upload is still in progress.
Are you sure you want to exit?</source>
        <translation>Le téléversement est en cours.
Voulez-vous vraiment quitter ?</translation>
    </message>
</context>
<context>
    <name>qv::TfrmFtpSetting</name>
    <message>
        <source>Ftp Setting</source>
        <translation>Paramètres FTP</translation>
    </message>
    <message>
        <source>Default FTP Settings</source>
        <translation>Paramètres FTP par défaut</translation>
    </message>
    <message>
        <source>FTP Host</source>
        <translation>Hôte FTP</translation>
    </message>
    <message>
        <source>FTP settings from your hosting company; e.g. ftp.example.com</source>
        <translation>Paramètres FTP fournis par votre hébergeur ; par ex. ftp.example.com</translation>
    </message>
    <message>
        <source>( Please do not fill in http:// or ftp:// in Ftp Host )</source>
        <translation>( Ne saisissez ni http:// ni ftp:// dans l’hôte FTP )</translation>
    </message>
    <message>
        <source>Login</source>
        <translation>Identifiant</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Mot de passe</translation>
    </message>
    <message>
        <source>Test Connection</source>
        <translation>Tester la connexion</translation>
    </message>
    <message>
        <source>Default Host Directory</source>
        <translation>Dossier par défaut sur l’hôte</translation>
    </message>
    <message>
        <source>e.g. htdoc, www</source>
        <translation>par ex. htdoc, www</translation>
    </message>
    <message>
        <source>(Auto Detected)</source>
        <translation>(détecté automatiquement)</translation>
    </message>
    <message>
        <source>This is to set the initial directory when login, e.g /htdocs , /public_html. If you are not sure the folder name, just leave this blank</source>
        <translation>Dossier de départ après la connexion, par ex. /htdocs ou /public_html. Si vous ne connaissez pas le nom du dossier, laissez ce champ vide</translation>
    </message>
    <message>
        <source>Protocol</source>
        <translation>Protocole</translation>
    </message>
    <message>
        <source>Simultaneous transfers</source>
        <translation>Transferts simultanés</translation>
    </message>
    <message>
        <source>How many files an upload sends at once, each over a connection of its own. Use 1 when the server allows only one connection.</source>
        <translation>Nombre de fichiers envoyés en même temps, chacun sur sa propre connexion. Choisissez 1 si le serveur n’accepte qu’une connexion.</translation>
    </message>
    <message>
        <source>Transfer Mode</source>
        <translation>Mode de transfert</translation>
    </message>
    <message>
        <source>Active</source>
        <translation>Actif</translation>
    </message>
    <message>
        <source>Passive</source>
        <translation>Passif</translation>
    </message>
    <message>
        <source>FTP Port</source>
        <translation>Port FTP</translation>
    </message>
    <message>
        <source>(Default ftp port 21)</source>
        <translation>(port FTP par défaut : 21)</translation>
    </message>
    <message>
        <source>Test Connection Result</source>
        <translation>Résultat du test de connexion</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Annuler</translation>
    </message>
    <message>
        <source>(Default sftp port 22)</source>
        <translation>(port SFTP par défaut : 22)</translation>
    </message>
    <message>
        <source>Connecting to %1 ...</source>
        <translation>Connexion à %1...</translation>
    </message>
    <message>
        <source>Unable to write to %1</source>
        <translation>Impossible d’écrire dans %1</translation>
    </message>
</context>
<context>
    <name>qv::TfrmMonthBgImage</name>
    <message>
        <source>Monthly Background Image</source>
        <translation>Image de fond mensuelle</translation>
    </message>
    <message>
        <source>Add background image for each month below:</source>
        <translation>Ajoutez ci-dessous une image de fond pour chaque mois :</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>Parcourir</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Retirer</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Ouvrir</translation>
    </message>
</context>
<context>
    <name>qv::TfrmPublishUrl</name>
    <message>
        <source>Enter Your Website Address</source>
        <translation>Adresse de votre site web</translation>
    </message>
    <message>
        <source>After all files are uploaded, go to this URL to view the page online:</source>
        <translation>Une fois tous les fichiers téléversés, ouvrez cette URL pour voir la page en ligne :</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Annuler</translation>
    </message>
</context>
<context>
    <name>qv::TfrmPublishing</name>
    <message>
        <source>Publishing</source>
        <translation>Publication</translation>
    </message>
    <message>
        <source>Event Calendar has been published</source>
        <translation>Le calendrier d’événements a été publié</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Aperçu</translation>
    </message>
    <message>
        <source>Preview your Event Calendar</source>
        <translation>Aperçu de votre calendrier d’événements</translation>
    </message>
    <message>
        <source>Published Folder</source>
        <translation>Dossier publié</translation>
    </message>
    <message>
        <source>Upload the following Files/Folder to server</source>
        <translation>Téléversez les fichiers et dossiers suivants sur le serveur</translation>
    </message>
    <message>
        <source>- quorvel (folder)</source>
        <translation>- quorvel (dossier)</translation>
    </message>
    <message>
        <source>(Please make sure no other files/folders in the published folder)</source>
        <translation>(Veillez à ce que le dossier publié ne contienne aucun autre fichier ou dossier)</translation>
    </message>
    <message>
        <source>Ftp Setting</source>
        <translation>Paramètres FTP</translation>
    </message>
    <message>
        <source>Upload</source>
        <translation>Téléverser</translation>
    </message>
    <message>
        <source>Adding Event Calendar to your html based webpages</source>
        <translation>Ajouter le calendrier d’événements à vos pages HTML</translation>
    </message>
    <message>
        <source>To embed the calendar into one of your existing html based webpages, copy and paste the embed code below or using the embed wizard.</source>
        <translation>Pour intégrer le calendrier dans l’une de vos pages HTML, copiez-collez le code d’intégration ci-dessous ou utilisez l’assistant d’intégration.</translation>
    </message>
    <message>
        <source>Advanced User</source>
        <translation>Utilisateur avancé</translation>
    </message>
    <message>
        <source>1. Copy and paste the embed code to your html based webpage</source>
        <translation>1. Copiez-collez le code d’intégration dans votre page HTML</translation>
    </message>
    <message>
        <source>Use full path for the embed code (when embed to mySpace, Blog etc)</source>
        <translation>Chemin complet dans le code d’intégration (pour MySpace, un blog, etc.)</translation>
    </message>
    <message>
        <source>Add the script of automatic activate Active X Control for MSIE</source>
        <translation>Ajouter le script d’activation automatique du contrôle ActiveX pour MSIE</translation>
    </message>
    <message>
        <source>2. Upload the embeded page together with the &quot;quorvel&quot; folder</source>
        <translation>2. Téléversez la page avec le calendrier intégré et le dossier « quorvel »</translation>
    </message>
    <message>
        <source>Copy to Clipboard</source>
        <translation>Copier dans le presse-papiers</translation>
    </message>
    <message>
        <source>Beginner</source>
        <translation>Débutant</translation>
    </message>
    <message>
        <source>A step by step embed wizard adding embed code to html based webpage</source>
        <translation>Un assistant qui ajoute pas à pas le code d’intégration à votre page HTML</translation>
    </message>
    <message>
        <source>Embed Wizard &gt;&gt;</source>
        <translation>Assistant d’intégration &gt;&gt;</translation>
    </message>
    <message>
        <source>After generate the embeded page with embed wizard, click &quot;Upload&quot; to upload the embeded page together with the &quot;quorvel&quot; folder.</source>
        <translation>Une fois la page créée par l’assistant d’intégration, cliquez sur « Téléverser » pour la téléverser avec le dossier « quorvel ».</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
</context>
<context>
    <name>qv::Thumbnail</name>
    <message>
        <source>it is not a readable JPEG picture.</source>
        <translation>ce n’est pas une image JPEG lisible.</translation>
    </message>
    <message>
        <source>Cannot read the picture &quot;%1&quot;: %2</source>
        <translation>Impossible de lire l’image « %1 » : %2</translation>
    </message>
</context>
<context>
    <name>qv::TransferStatus</name>
    <message>
        <source>%1 bytes</source>
        <translation>%1 octets</translation>
    </message>
    <message>
        <source>%1 KB</source>
        <translation>%1 Ko</translation>
    </message>
    <message>
        <source>%1 MB</source>
        <translation>%1 Mo</translation>
    </message>
    <message>
        <source>%1 GB</source>
        <translation>%1 Go</translation>
    </message>
    <message>
        <source>%1 of %2, %3/s</source>
        <translation>%1 sur %2, %3/s</translation>
    </message>
    <message>
        <source>(%1 of %2)</source>
        <translation>(%1 sur %2)</translation>
    </message>
    <message>
        <source>%1 and %2 more</source>
        <translation>%1 et %2 autres</translation>
    </message>
</context>
<context>
    <name>qv::TrustStore</name>
    <message>
        <source>This server does not offer encryption. Send your password and files unencrypted?</source>
        <translation>Ce serveur ne propose pas de chiffrement. Envoyer votre mot de passe et vos fichiers sans chiffrement ?</translation>
    </message>
    <message>
        <source>Send unencrypted</source>
        <translation>Envoyer sans chiffrement</translation>
    </message>
    <message>
        <source>The certificate of this server has changed. Trust the new one?</source>
        <translation>Le certificat de ce serveur a changé. Faire confiance au nouveau ?</translation>
    </message>
    <message>
        <source>Trust the new certificate</source>
        <translation>Faire confiance au nouveau certificat</translation>
    </message>
    <message>
        <source>Unable to write to %1</source>
        <translation>Impossible d’écrire dans %1</translation>
    </message>
    <message>
        <source>Trust this certificate?</source>
        <translation>Faire confiance à ce certificat ?</translation>
    </message>
    <message>
        <source>Trust this host key?</source>
        <translation>Faire confiance à cette clé d’hôte ?</translation>
    </message>
</context>
<context>
    <name>qv::UnsavedWork</name>
    <message>
        <source>Recover the unsaved calendar from %1?</source>
        <translation>Récupérer le calendrier non enregistré du %1 ?</translation>
    </message>
</context>
<context>
    <name>qv::UploadManifest</name>
    <message>
        <source>Cannot create folder &quot;%1&quot;</source>
        <translation>Impossible de créer le dossier « %1 »</translation>
    </message>
</context>
<context>
    <name>qv::WindowCaption</name>
    <message>
        <source>Untitled</source>
        <translation>Sans titre</translation>
    </message>
</context>
<context>
    <name>qv::XmlDocument</name>
    <message>
        <source>The file holds no XML element.</source>
        <translation>Le fichier ne contient aucun élément XML.</translation>
    </message>
    <message>
        <source>A name is expected here.</source>
        <translation>Un nom est attendu ici.</translation>
    </message>
    <message>
        <source>A processing instruction is malformed.</source>
        <translation>Une instruction de traitement est mal formée.</translation>
    </message>
    <message>
        <source>A comment is malformed.</source>
        <translation>Un commentaire est mal formé.</translation>
    </message>
    <message>
        <source>A CDATA section is malformed.</source>
        <translation>Une section CDATA est mal formée.</translation>
    </message>
    <message>
        <source>A data file may not hold a document type declaration.</source>
        <translation>Un fichier de données ne peut pas contenir de déclaration de type de document.</translation>
    </message>
    <message>
        <source>A start tag is malformed.</source>
        <translation>Une balise ouvrante est mal formée.</translation>
    </message>
    <message>
        <source>An attribute is malformed.</source>
        <translation>Un attribut est mal formé.</translation>
    </message>
    <message>
        <source>A closing tag is malformed.</source>
        <translation>Une balise fermante est mal formée.</translation>
    </message>
    <message>
        <source>A closing tag does not match its element.</source>
        <translation>Une balise fermante ne correspond pas à son élément.</translation>
    </message>
    <message>
        <source>There is not enough memory to read the file.</source>
        <translation>La mémoire ne suffit pas pour lire le fichier.</translation>
    </message>
    <message>
        <source>The file is not well-formed XML.</source>
        <translation>Le fichier n’est pas du XML bien formé.</translation>
    </message>
    <message>
        <source>The encoding %1 the file declares is not supported.</source>
        <translation>L’encodage %1 déclaré par le fichier n’est pas pris en charge.</translation>
    </message>
    <message>
        <source>The file is not valid %1.</source>
        <translation>Le fichier n’est pas du %1 valide.</translation>
    </message>
    <message>
        <source>The attribute &quot;%1&quot; stands twice.</source>
        <translation>L’attribut « %1 » figure deux fois.</translation>
    </message>
</context>
<context>
    <name>qv::XmlWellFormed</name>
    <message>
        <source>The XML declaration names no version.</source>
        <translation>La déclaration XML n’indique aucune version.</translation>
    </message>
    <message>
        <source>XML version %1 is not supported.</source>
        <translation>La version XML %1 n’est pas prise en charge.</translation>
    </message>
    <message>
        <source>The encoding in the XML declaration is malformed.</source>
        <translation>L’encodage de la déclaration XML est mal formé.</translation>
    </message>
    <message>
        <source>The XML declaration&apos;s standalone value is malformed.</source>
        <translation>La valeur standalone de la déclaration XML est mal formée.</translation>
    </message>
    <message>
        <source>The XML declaration is malformed.</source>
        <translation>La déclaration XML est mal formée.</translation>
    </message>
    <message>
        <source>The element &lt;%1&gt; is not closed.</source>
        <translation>L’élément &lt;%1&gt; n’est pas fermé.</translation>
    </message>
    <message>
        <source>The file holds no XML element.</source>
        <translation>Le fichier ne contient aucun élément XML.</translation>
    </message>
    <message>
        <source>&quot;]]&gt;&quot; may not stand in text.</source>
        <translation>« ]]&gt; » ne peut pas figurer dans le texte.</translation>
    </message>
    <message>
        <source>Something follows the end of the top element.</source>
        <translation>Quelque chose suit la fin de l’élément racine.</translation>
    </message>
    <message>
        <source>Text stands before the top element.</source>
        <translation>Du texte précède l’élément racine.</translation>
    </message>
    <message>
        <source>A data file may not hold a document type declaration.</source>
        <translation>Un fichier de données ne peut pas contenir de déclaration de type de document.</translation>
    </message>
    <message>
        <source>&quot;&lt;!&quot; starts no comment or CDATA section.</source>
        <translation>« &lt;! » n’ouvre ni commentaire ni section CDATA.</translation>
    </message>
    <message>
        <source>A comment is not closed.</source>
        <translation>Un commentaire n’est pas fermé.</translation>
    </message>
    <message>
        <source>&quot;--&quot; may not stand inside a comment.</source>
        <translation>« -- » ne peut pas figurer dans un commentaire.</translation>
    </message>
    <message>
        <source>A CDATA section is not closed.</source>
        <translation>Une section CDATA n’est pas fermée.</translation>
    </message>
    <message>
        <source>An XML declaration may only stand at the very start.</source>
        <translation>Une déclaration XML ne peut figurer qu’au tout début.</translation>
    </message>
    <message>
        <source>A processing instruction is not closed.</source>
        <translation>Une instruction de traitement n’est pas fermée.</translation>
    </message>
    <message>
        <source>Elements are nested too deeply.</source>
        <translation>Les éléments sont imbriqués trop profondément.</translation>
    </message>
    <message>
        <source>The tag &lt;%1&gt; is not closed.</source>
        <translation>La balise &lt;%1&gt; n’est pas fermée.</translation>
    </message>
    <message>
        <source>An attribute value is not closed.</source>
        <translation>Une valeur d’attribut n’est pas fermée.</translation>
    </message>
    <message>
        <source>&quot;&lt;&quot; may not stand in an attribute value.</source>
        <translation>« &lt; » ne peut pas figurer dans une valeur d’attribut.</translation>
    </message>
    <message>
        <source>The closing tag &lt;/%1&gt; does not match the open element &lt;%2&gt;.</source>
        <translation>La balise fermante &lt;/%1&gt; ne correspond pas à l’élément ouvert &lt;%2&gt;.</translation>
    </message>
    <message>
        <source>The closing tag &lt;/%1&gt; is not closed.</source>
        <translation>La balise fermante &lt;/%1&gt; n’est pas fermée.</translation>
    </message>
    <message>
        <source>&quot;&amp;&quot; must start a reference such as &quot;&amp;amp;&quot;.</source>
        <translation>« &amp; » doit ouvrir une référence comme « &amp;amp; ».</translation>
    </message>
    <message>
        <source>The character reference &quot;&amp;%1;&quot; is not valid.</source>
        <translation>La référence de caractère « &amp;%1; » n’est pas valide.</translation>
    </message>
    <message>
        <source>The entity &quot;&amp;%1;&quot; is not known.</source>
        <translation>L’entité « &amp;%1; » est inconnue.</translation>
    </message>
    <message>
        <source>The file is not valid UTF-8.</source>
        <translation>Le fichier n’est pas de l’UTF-8 valide.</translation>
    </message>
    <message>
        <source>The character U+%1 may not stand in an XML file.</source>
        <translation>Le caractère U+%1 ne peut pas figurer dans un fichier XML.</translation>
    </message>
    <message>
        <source>%1 (line %2, column %3)</source>
        <translation>%1 (ligne %2, colonne %3)</translation>
    </message>
</context>
<context>
    <name>qv::ZipLayout</name>
    <message>
        <source>The archive cannot be read: %1</source>
        <translation>Impossible de lire l’archive : %1</translation>
    </message>
    <message>
        <source>The archive&apos;s central directory cannot be read.</source>
        <translation>Impossible de lire le répertoire central de l’archive.</translation>
    </message>
    <message>
        <source>An entry of the archive reaches past its end.</source>
        <translation>Une entrée de l’archive dépasse sa fin.</translation>
    </message>
    <message>
        <source>Entries of the archive share their stored bytes.</source>
        <translation>Des entrées de l’archive partagent leurs octets stockés.</translation>
    </message>
</context>
</TS>
