<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<!-- The texts of Qt's own that the program shows (the save dialog, its questions, the
     menus of the edit fields and the scroll bars), in Serbian in Latin script, as the
     program's own texts are. "OK" stays as the program's own boxes have it. -->
<TS version="2.1" language="sr_Latn" sourcelanguage="en">
<context>
    <name>QFileDialog</name>
    <message>
        <source>%1
Directory not found.
Please verify the correct directory name was given.</source>
        <translation>%1
Fascikla nije pronađena.
Proverite da li je ime fascikle ispravno.</translation>
    </message>
    <message>
        <source>%1
File not found.
Please verify the correct file name was given.</source>
        <translation>%1
Datoteka nije pronađena.
Proverite da li je ime datoteke ispravno.</translation>
    </message>
    <message>
        <source>%1 already exists.
Do you want to replace it?</source>
        <translation>%1 već postoji.
Da li želite da je zamenite?</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is write protected.
Do you want to delete it anyway?</source>
        <translation>„%1“ je zaštićena od upisa.
Da li ipak želite da je obrišete?</translation>
    </message>
    <message>
        <source>Are you sure you want to delete &apos;%1&apos;?</source>
        <translation>Da li ste sigurni da želite da obrišete „%1“?</translation>
    </message>
    <message>
        <source>Could not delete directory.</source>
        <translation>Fascikla nije mogla da se obriše.</translation>
    </message>
    <message>
        <source>&amp;Choose</source>
        <translation>&amp;Izaberi</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>O&amp;briši</translation>
    </message>
    <message>
        <source>&amp;Look in:</source>
        <translation>&amp;Traži u:</translation>
    </message>
    <message>
        <source>Look in:</source>
        <translation>Traži u:</translation>
    </message>
    <message>
        <source>&amp;New Folder</source>
        <translation>&amp;Nova fascikla</translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <translation>&amp;Otvori</translation>
    </message>
    <message>
        <source>&amp;Rename</source>
        <translation>&amp;Preimenuj</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Sačuvaj</translation>
    </message>
    <message>
        <source>All Files (*)</source>
        <translation>Sve datoteke (*)</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>Sve datoteke (*)</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Nazad</translation>
    </message>
    <message>
        <source>Change to detail view mode</source>
        <translation>Prikaži s pojedinostima</translation>
    </message>
    <message>
        <source>Change to list view mode</source>
        <translation>Prikaži kao spisak</translation>
    </message>
    <message>
        <source>Create New Folder</source>
        <translation>Napravi novu fasciklu</translation>
    </message>
    <message>
        <source>Create a New Folder</source>
        <translation>Napravi novu fasciklu</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Obriši</translation>
    </message>
    <message>
        <source>Detail View</source>
        <translation>Pojedinosti</translation>
    </message>
    <message>
        <source>Directories</source>
        <translation>Fascikle</translation>
    </message>
    <message>
        <source>Directory:</source>
        <translation>Fascikla:</translation>
    </message>
    <message>
        <source>File &amp;name:</source>
        <translation>&amp;Ime datoteke:</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>Datoteke</translation>
    </message>
    <message>
        <source>Files of &amp;type:</source>
        <translation>&amp;Vrsta datoteka:</translation>
    </message>
    <message>
        <source>Files of type:</source>
        <translation>Vrsta datoteka:</translation>
    </message>
    <message>
        <source>Find Directory</source>
        <translation>Pronađi fasciklu</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>Napred</translation>
    </message>
    <message>
        <source>Go back</source>
        <translation>Idi nazad</translation>
    </message>
    <message>
        <source>Go forward</source>
        <translation>Idi napred</translation>
    </message>
    <message>
        <source>Go to the parent directory</source>
        <translation>Idi u nadređenu fasciklu</translation>
    </message>
    <message>
        <source>List View</source>
        <translation>Spisak</translation>
    </message>
    <message>
        <source>List of places and bookmarks</source>
        <translation>Spisak mesta i obeleživača</translation>
    </message>
    <message>
        <source>New Folder</source>
        <translation>Nova fascikla</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Otvori</translation>
    </message>
    <message>
        <source>Parent Directory</source>
        <translation>Nadređena fascikla</translation>
    </message>
    <message>
        <source>Recent Places</source>
        <translation>Nedavna mesta</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Ukloni</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>Sačuvaj kao</translation>
    </message>
    <message>
        <source>Show </source>
        <translation>Prikaži </translation>
    </message>
    <message>
        <source>Show &amp;hidden files</source>
        <translation>Prikaži &amp;skrivene datoteke</translation>
    </message>
    <message>
        <source>Sidebar</source>
        <translation>Bočna traka</translation>
    </message>
</context>
<context>
    <name>QFileSystemModel</name>
    <message>
        <source>Computer</source>
        <translation>Računar</translation>
    </message>
    <message>
        <source>My Computer</source>
        <translation>Moj računar</translation>
    </message>
    <message>
        <source>Date Modified</source>
        <translation>Izmenjeno</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Ime</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Veličina</translation>
    </message>
    <message>
        <source>Type</source>
        <comment>All other platforms</comment>
        <translation>Vrsta</translation>
    </message>
    <message>
        <source>Kind</source>
        <comment>Match OS X Finder</comment>
        <translation>Vrsta</translation>
    </message>
    <message>
        <source>Invalid filename</source>
        <translation>Neispravno ime datoteke</translation>
    </message>
    <message>
        <source>&lt;b&gt;The name &quot;%1&quot; cannot be used.&lt;/b&gt;&lt;p&gt;Try using another name, with fewer characters or no punctuation marks.</source>
        <translation>&lt;b&gt;Ime „%1“ ne može da se koristi.&lt;/b&gt;&lt;p&gt;Pokušajte s drugim imenom, s manje znakova ili bez znakova interpunkcije.</translation>
    </message>
</context>
<context>
    <name>QAbstractFileIconProvider</name>
    <message>
        <source>Drive</source>
        <translation>Disk</translation>
    </message>
    <message>
        <source>Folder</source>
        <comment>All other platforms</comment>
        <translation>Fascikla</translation>
    </message>
    <message>
        <source>File Folder</source>
        <comment>Match Windows Explorer</comment>
        <translation>Fascikla</translation>
    </message>
    <message>
        <source>Shortcut</source>
        <comment>All other platforms</comment>
        <translation>Prečica</translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation>Nepoznato</translation>
    </message>
</context>
<context>
    <name>QPlatformTheme</name>
    <message>
        <source>&amp;Yes</source>
        <translation>&amp;Da</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation>&amp;Ne</translation>
    </message>
    <message>
        <source>Yes to &amp;All</source>
        <translation>Da za &amp;sve</translation>
    </message>
    <message>
        <source>N&amp;o to All</source>
        <translation>N&amp;e za sve</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Sačuvaj</translation>
    </message>
    <message>
        <source>Save All</source>
        <translation>Sačuvaj sve</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Otvori</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Otkaži</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Zatvori</translation>
    </message>
    <message>
        <source>Discard</source>
        <translation>Odbaci</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Primeni</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Poništi</translation>
    </message>
    <message>
        <source>Restore Defaults</source>
        <translation>Vrati podrazumevano</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Pomoć</translation>
    </message>
    <message>
        <source>Abort</source>
        <translation>Prekini</translation>
    </message>
    <message>
        <source>Retry</source>
        <translation>Pokušaj ponovo</translation>
    </message>
    <message>
        <source>Ignore</source>
        <translation>Zanemari</translation>
    </message>
</context>
<context>
    <name>QMessageBox</name>
    <message>
        <source>Show Details...</source>
        <translation>Prikaži pojedinosti...</translation>
    </message>
    <message>
        <source>Hide Details...</source>
        <translation>Sakrij pojedinosti...</translation>
    </message>
</context>
<context>
    <name>QLineEdit</name>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Opozovi</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Ponovi</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>Ise&amp;ci</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Kopiraj</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>&amp;Nalepi</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Obriši</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>Izaberi sve</translation>
    </message>
</context>
<context>
    <name>QScrollBar</name>
    <message>
        <source>Scroll here</source>
        <translation>Pomeri ovde</translation>
    </message>
    <message>
        <source>Left edge</source>
        <translation>Levi kraj</translation>
    </message>
    <message>
        <source>Top</source>
        <translation>Vrh</translation>
    </message>
    <message>
        <source>Right edge</source>
        <translation>Desni kraj</translation>
    </message>
    <message>
        <source>Bottom</source>
        <translation>Dno</translation>
    </message>
    <message>
        <source>Page left</source>
        <translation>Strana levo</translation>
    </message>
    <message>
        <source>Page up</source>
        <translation>Strana gore</translation>
    </message>
    <message>
        <source>Page right</source>
        <translation>Strana desno</translation>
    </message>
    <message>
        <source>Page down</source>
        <translation>Strana dole</translation>
    </message>
    <message>
        <source>Scroll left</source>
        <translation>Pomeri levo</translation>
    </message>
    <message>
        <source>Scroll up</source>
        <translation>Pomeri gore</translation>
    </message>
    <message>
        <source>Scroll right</source>
        <translation>Pomeri desno</translation>
    </message>
    <message>
        <source>Scroll down</source>
        <translation>Pomeri dole</translation>
    </message>
</context>
<context>
    <name>QGuiApplication</name>
    <message>
        <source>QT_LAYOUT_DIRECTION</source>
        <comment>Translate this string to the string &apos;LTR&apos; in left-to-right languages or to &apos;RTL&apos; in right-to-left languages (such as Hebrew and Arabic) to get proper widget layout.</comment>
        <translation>LTR</translation>
    </message>
</context>
</TS>
