<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="cs">
<context>
    <name>TfKoraxGUI</name>
    <message>
        <source>Parametry ponoru </source>
        <translation>Dive parameters </translation>
    </message>
    <message>
        <source>Profil</source>
        <translation>Profile</translation>
    </message>
    <message>
        <source>Opakované potápění</source>
        <translation>Repetitive dive</translation>
    </message>
    <message>
        <source>Povrchový interval [hhh:mm] :</source>
        <translation>Surface interval [hhh:mm] :</translation>
    </message>
    <message>
        <source>Aktualizovat tissue-soubor</source>
        <translation>Update the tissue file</translation>
    </message>
    <message>
        <source>Doplňující parametry</source>
        <translation>Further parameters</translation>
    </message>
    <message>
        <source>Nadmořská výška :</source>
        <translation>Altitude :</translation>
    </message>
    <message>
        <source>Konzervatismus [%] :</source>
        <translation>Conservatism [%] :</translation>
    </message>
    <message>
        <source>Konzervatismus přidejte v chladné vodě a při zvýšeném zatížení.</source>
        <translation>Add conservatism in cold water and under heavy workload.</translation>
    </message>
    <message>
        <source>Zastávky</source>
        <translation>Stops</translation>
    </message>
    <message>
        <source>Hloubka poslední zastávky :</source>
        <translation>Last stop depth :</translation>
    </message>
    <message>
        <source>Vzdálenost zastávek :</source>
        <translation>Stop interval :</translation>
    </message>
    <message>
        <source>Hloubkové zastávky</source>
        <translation>Deep stops</translation>
    </message>
    <message>
        <source>Délka Pyleho zastávky:</source>
        <translation>Pyle stop length:</translation>
    </message>
    <message>
        <source>Rychlosti</source>
        <translation>Rates</translation>
    </message>
    <message>
        <source>Sestup</source>
        <translation>Descent</translation>
    </message>
    <message>
        <source>od - do, rychlost</source>
        <translation>from - to, rate</translation>
    </message>
    <message>
        <source>Výstup</source>
        <translation>Ascent</translation>
    </message>
    <message>
        <source>Směsi &amp;&amp; konfigurace </source>
        <translation>Mixes &amp;&amp; configuration </translation>
    </message>
    <message>
        <source>Směsi</source>
        <translation>Mixes</translation>
    </message>
    <message>
        <source>Kyslík je narkotický</source>
        <translation>Oxygen is narcotic</translation>
    </message>
    <message>
        <source>RMV [l/min] (spotřeba směsi) :</source>
        <translation>RMV [l/min] (gas consumption) :</translation>
    </message>
    <message>
        <source>RMV při dekomresi :</source>
        <translation>RMV during deco :</translation>
    </message>
    <message>
        <source>Slide rate [PO2/min] :</source>
        <translation>Slide rate [PO2/min] :</translation>
    </message>
    <message>
        <source>Používat DECO směsi</source>
        <translation>Use DECO mixes</translation>
    </message>
    <message>
        <source>DECO směsi:</source>
        <translation>DECO mixes:</translation>
    </message>
    <message>
        <source>Soubory</source>
        <translation>Files</translation>
    </message>
    <message>
        <source>Tissue file :</source>
        <translation>Tissue file :</translation>
    </message>
    <message>
        <source>Výstupní soubor :</source>
        <translation>Output file :</translation>
    </message>
    <message>
        <source>Po ukončení vymazat soubory s mezivýsledky</source>
        <translation>Delete the intermediate result files on exit</translation>
    </message>
    <message>
        <source>Konfigurace</source>
        <translation>Configuration</translation>
    </message>
    <message>
        <source>Algoritmus</source>
        <translation>Algorithm</translation>
    </message>
    <message>
        <source>Jednotky</source>
        <translation>Units</translation>
    </message>
    <message>
        <source>Metry</source>
        <translation>Metres</translation>
    </message>
    <message>
        <source>Feets</source>
        <translation>Feet</translation>
    </message>
    <message>
        <source>Časové údaje jsou v minutách.</source>
        <translation>Times are in minutes.</translation>
    </message>
    <message>
        <source>slaná voda</source>
        <translation>salt water</translation>
    </message>
    <message>
        <source>Optimalizace :</source>
        <translation>Optimisation :</translation>
    </message>
    <message>
        <source>T/Rova - info</source>
        <translation>T/Rova - info</translation>
    </message>
    <message>
        <source>Grafické rozhraní pro plánování ponorů</source>
        <translation>Graphical interface for dive planning</translation>
    </message>
    <message>
        <source>Volně šiřitelná pomůcka,
vytvořil ji projekt T/ROVA.</source>
        <translation>A freely distributable aid,
made by the T/ROVA project.</translation>
    </message>
    <message>
        <source>Dotazy: trova@example.org</source>
        <translation>Questions: trova@example.org</translation>
    </message>
    <message>
        <source>Grafické rozhraní k plánovači dekompresních ponorů KORAX. Plánovač: projekt T/ROVA.</source>
        <translation>Graphical interface to the decompression dive planner KORAX. Planner: the T/ROVA project.</translation>
    </message>
    <message>
        <source>Tento software by měl sloužit jako pomůcka pro dostatečně zkušené potápěče. Pokud nejste důkladně vyškoleni v plánování dekompresních ponorů a používání směsí, neužívejte prosím tento produkt.</source>
        <translation>This software is meant as an aid for sufficiently experienced divers. If you are not thoroughly trained in planning decompression dives and in the use of mixes, please do not use this product.</translation>
    </message>
    <message>
        <source>Důležité varování!</source>
        <translation>Important warning!</translation>
    </message>
    <message>
        <source>Údaje generované programem KORAX Vám mohou nepřímo poškodit zdraví a není vyloučeno, že obsahují chyby. Tento výpočet je experimentální a Vy ho používáte na vlastní nebezpečí. </source>
        <translation>The figures KORAX produces may indirectly harm your health, and they may contain errors. This calculation is experimental and you use it at your own risk. </translation>
    </message>
    <message>
        <source>&amp;Výpočet</source>
        <translation>&amp;Compute</translation>
    </message>
    <message>
        <source>&amp;Konec</source>
        <translation>&amp;Exit</translation>
    </message>
</context>
<context>
    <name>TfSaveChanges</name>
    <message>
        <source>Přejete si uložit změny do souboru &quot;profile.dat&quot; ?</source>
        <translation>Save the changes to the file &quot;profile.dat&quot; ?</translation>
    </message>
    <message>
        <source>&amp;Ano</source>
        <translation>&amp;Yes</translation>
    </message>
    <message>
        <source>&amp;Ne</source>
        <translation>&amp;No</translation>
    </message>
    <message>
        <source>Zpět</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>texts</name>
    <message>
        <source>Chyba</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>&amp;Ano</source>
        <translation>&amp;Yes</translation>
    </message>
    <message>
        <source>&amp;Ne</source>
        <translation>&amp;No</translation>
    </message>
    <message>
        <source>Zpět</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Nenalezen soubor </source>
        <translation>File not found: </translation>
    </message>
    <message>
        <source>
Původní obsah je uložen v </source>
        <translation>
The original contents are kept in </translation>
    </message>
    <message>
        <source>Na disku není dost volného místa.</source>
        <translation>There is not enough free space on the disk.</translation>
    </message>
    <message>
        <source>Je překročena disková kvóta.</source>
        <translation>The disk quota is exceeded.</translation>
    </message>
    <message>
        <source>Soubor nebo složka je jen pro čtení.</source>
        <translation>The file or the folder is read-only.</translation>
    </message>
    <message>
        <source>Chybí oprávnění k zápisu do souboru nebo složky.</source>
        <translation>There is no permission to write to the file or the folder.</translation>
    </message>
    <message>
        <source>Soubor by byl příliš velký.</source>
        <translation>The file would be too large.</translation>
    </message>
    <message>
        <source>Soubor profile.dat nelze uložit. Zavřít bez uložení?</source>
        <translation>The file profile.dat cannot be saved. Close without saving?</translation>
    </message>
    <message>
        <source>Ukládání souboru profile.dat bylo přerušeno. Obnovit jeho původní obsah?</source>
        <translation>Saving the file profile.dat was cut short. Restore its original contents?</translation>
    </message>
    <message>
        <source>Původní obsah souboru profile.dat zůstává uložen v %1</source>
        <translation>The original contents of the file profile.dat remain saved in %1</translation>
    </message>
    <message>
        <source>Záznam o přerušeném ukládání nelze odložit; T/ROVA se na něj zeptá při příštím spuštění.</source>
        <translation>The record of the interrupted save cannot be set aside; T/ROVA will ask about it at its next start.</translation>
    </message>
    <message>
        <source>Nesprávná vzdálenost mezi zastávkami!</source>
        <translation>Invalid distance between stops!</translation>
    </message>
    <message>
        <source>Vzálenost mezi zastávkami nesmí být nulová!</source>
        <translation>The distance between stops must not be zero!</translation>
    </message>
    <message>
        <source>Soubor profile.dat mezitím změnil jiný program. Chcete jej přesto přepsat?</source>
        <translation>Another program has changed the file profile.dat in the meantime. Do you want to overwrite it anyway?</translation>
    </message>
    <message>
        <source>Hloubka</source>
        <translation>Depth</translation>
    </message>
    <message>
        <source>Čas</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>Směs O2/He</source>
        <translation>Mix O2/He</translation>
    </message>
    <message>
        <source>Není zadán výstupní soubor.</source>
        <translation>No output file is given.</translation>
    </message>
    <message>
        <source>Plánovač korax.exe nebyl nalezen; plán %1 nebyl vytvořen.</source>
        <translation>The planner korax.exe was not found; the plan %1 was not made.</translation>
    </message>
    <message>
        <source>Plánovač korax.exe nelze spustit; plán %1 nebyl vytvořen.</source>
        <translation>The planner korax.exe cannot be started; the plan %1 was not made.</translation>
    </message>
    <message>
        <source>Plánovač korax.exe skončil neočekávaně; plán %1 se nezobrazí.</source>
        <translation>The planner korax.exe ended unexpectedly; the plan %1 will not be shown.</translation>
    </message>
    <message>
        <source>Plánovač korax.exe skončil s kódem %2 a plán %1 nezapsal.</source>
        <translation>The planner korax.exe ended with code %2 and did not write the plan %1.</translation>
    </message>
    <message>
        <source>%1 není obyčejný soubor (je to složka, pojmenovaná roura nebo zařízení); T/ROVA jej neotevře.</source>
        <translation>%1 is not a regular file (it is a folder, a named pipe or a device); T/ROVA does not open it.</translation>
    </message>
    <message>
        <source>Soubor %1 je větší než 64 MB; T/ROVA jej neotevře.</source>
        <translation>The file %1 is larger than 64 MB; T/ROVA does not open it.</translation>
    </message>
    <message>
        <source>Odkaz %1 patří jinému uživateli nebo leží ve složce, do které mohou zapisovat jiní; T/ROVA jím nezapisuje.</source>
        <translation>The link %1 belongs to another user or lies in a folder that others may write to; T/ROVA does not write through it.</translation>
    </message>
    <message>
        <source>Soubor profile.dat se mezitím změnil; jeho původní obsah se neobnoví.</source>
        <translation>The file profile.dat has changed in the meantime; its original contents are not restored.</translation>
    </message>
    <message>
        <source>Řádek %1 profilu ponoru (%2) nelze uložit: hloubka musí začínat číslicí.</source>
        <translation>Row %1 of the dive profile (%2) cannot be saved: the depth must begin with a digit.</translation>
    </message>
</context>
<context>
    <name>viewer</name>
    <message>
        <source>%1 – plán ponoru</source>
        <translation>%1 – dive plan</translation>
    </message>
    <message>
        <source>Není zadán žádný soubor s plánem: jméno souboru je prázdné.</source>
        <translation>No plan file is given: the file name is empty.</translation>
    </message>
    <message>
        <source>Soubor s plánem „%1“ neexistuje.</source>
        <translation>The plan file “%1” does not exist.</translation>
    </message>
    <message>
        <source>Soubor s plánem „%1“ nelze přečíst.</source>
        <translation>The plan file “%1” cannot be read.</translation>
    </message>
    <message>
        <source>Soubor s plánem „%1“ nelze přečíst: není to obyčejný soubor.</source>
        <translation>The plan file “%1” cannot be read: it is not a regular file.</translation>
    </message>
    <message>
        <source>Uložit PDF…</source>
        <translation>Save PDF…</translation>
    </message>
    <message>
        <source>Tisk…</source>
        <translation>Print…</translation>
    </message>
    <message>
        <source>Uložit PDF</source>
        <translation>Save PDF</translation>
    </message>
    <message>
        <source>PDF „%1“ nelze zapsat.</source>
        <translation>The PDF “%1” cannot be written.</translation>
    </message>
    <message>
        <source>Čas ponoru (min)</source>
        <translation>Run time (min)</translation>
    </message>
    <message>
        <source>Hloubka (%1)</source>
        <translation>Depth (%1)</translation>
    </message>
    <message>
        <source>další</source>
        <translation>others</translation>
    </message>
    <message>
        <source>%1 %2 · %3 min</source>
        <translation>%1 %2 · %3 min</translation>
    </message>
    <message>
        <source>%1
hloubka: %2
čas ponoru: %3 min
směs: %4</source>
        <translation>%1
depth: %2
run time: %3 min
mix: %4</translation>
    </message>
    <message>
        <source>Použití: trova-plan --pdf VÝSTUP.pdf SOUBOR</source>
        <translation>Usage: trova-plan --pdf OUTPUT.pdf FILE</translation>
    </message>
    <message>
        <source>Použití: trova-plan --png VÝSTUP.png SOUBOR</source>
        <translation>Usage: trova-plan --png OUTPUT.png FILE</translation>
    </message>
    <message>
        <source>Obrázek „%1“ nelze zapsat.</source>
        <translation>The picture “%1” cannot be written.</translation>
    </message>
    <message>
        <source>Plán má %1 – nelze ho potápět:</source>
        <translation>The plan has %1 – it cannot be dived:</translation>
    </message>
    <message>
        <source>Plán nemá žádná varování ani problémy.</source>
        <translation>The plan has no warnings and no problems.</translation>
    </message>
    <message>
        <source>… a dalších %1 (v textu plánu)</source>
        <translation>… and %1 more (in the plan&apos;s text)</translation>
    </message>
    <message>
        <source>Soubor má %1; zobrazen je jen jeho začátek (%2), zbývajících %3 vynecháno.</source>
        <translation>The file has %1; only its beginning is shown (%2), the remaining %3 are left out.</translation>
    </message>
    <message>
        <source>smyčka, ředidlo %1</source>
        <translation>loop, diluent %1</translation>
    </message>
    <message>
        <source>strop</source>
        <translation>ceiling</translation>
    </message>
    <message>
        <source>výstup s minimální zásobou</source>
        <translation>minimum-gas ascent</translation>
    </message>
    <message>
        <source>
PO2: %1 bar
strop: %2</source>
        <translation>
PO2: %1 bar
ceiling: %2</translation>
    </message>
    <message>
        <source>Nejhlubší bod %1 · čas na dně %2 min · celkový čas ponoru %3 min</source>
        <translation>Deepest point %1 · bottom time %2 min · total run time %3 min</translation>
    </message>
    <message>
        <source>Směsi: %1</source>
        <translation>Mixes: %1</translation>
    </message>
    <message>
        <source>Vytištěno %1</source>
        <translation>Printed %1</translation>
    </message>
    <message>
        <source>d. M. yyyy</source>
        <translation>yyyy-MM-dd</translation>
    </message>
</context>
</TS>
