<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_CA" sourcelanguage="en_US">
<context>
    <name>DemoWindow</name>
    <message>
        <source>Purchase order</source>
        <translation>Bon de commande</translation>
    </message>
    <message>
        <source>Events the control raises to the host</source>
        <translation>Événements que le contrôle transmet à l’hôte</translation>
    </message>
    <message>
        <source>&amp;Order</source>
        <translation>&amp;Commande</translation>
    </message>
    <message>
        <source>&amp;Load sample order...</source>
        <translation>&amp;Charger la commande type...</translation>
    </message>
    <message>
        <source>Open the sample order again and lose them?</source>
        <translation>Rouvrir la commande type et les perdre?</translation>
    </message>
    <message>
        <source>&amp;Export</source>
        <translation>&amp;Exporter</translation>
    </message>
    <message>
        <source>Save lines &amp;as...</source>
        <translation>Enregistrer les lignes &amp;sous...</translation>
    </message>
    <message>
        <source>Save lines as</source>
        <translation>Enregistrer les lignes sous</translation>
    </message>
    <message>
        <source>Exchange text (*.txt)</source>
        <translation>Texte d’échange (*.txt)</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>&amp;Mode</source>
        <translation>&amp;Mode</translation>
    </message>
    <message>
        <source>&amp;Add</source>
        <translation>&amp;Ajout</translation>
    </message>
    <message>
        <source>&amp;Update</source>
        <translation>&amp;Mise à jour</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Consultation</translation>
    </message>
    <message>
        <source>&amp;Line cancel</source>
        <translation>&amp;Annulation de ligne</translation>
    </message>
    <message>
        <source>Close the window and lose them?</source>
        <translation>Fermer la fenêtre et les perdre?</translation>
    </message>
    <message>
        <source>Unsaved changes</source>
        <translation>Modifications non enregistrées</translation>
    </message>
    <message>
        <source>The order has changes that are not saved.</source>
        <translation>La commande comporte des modifications qui ne sont pas enregistrées.</translation>
    </message>
    <message>
        <source>Service failure: </source>
        <translation>Échec du service&#xa0;: </translation>
    </message>
    <message>
        <source>Loaded the sample order</source>
        <translation>Commande type chargée</translation>
    </message>
    <message>
        <source>Load refused: </source>
        <translation>Chargement refusé&#xa0;: </translation>
    </message>
    <message>
        <source>Opened the order as it stands in another mode</source>
        <translation>Commande ouverte telle quelle dans un autre mode</translation>
    </message>
    <message>
        <source>Add Mode: the lines are as they were; the fees and taxes are kept for the other modes</source>
        <translation>Mode Ajout&#xa0;: les lignes sont restées telles quelles; les frais et les taxes sont gardés pour les autres modes</translation>
    </message>
    <message>
        <source>Mode switched; the order&apos;s lines and fees are as they were</source>
        <translation>Mode changé; les lignes et les frais de la commande sont restés tels quels</translation>
    </message>
    <message>
        <source>Mode switch refused: </source>
        <translation>Changement de mode refusé&#xa0;: </translation>
    </message>
    <message>
        <source>The mode was not switched: %1</source>
        <translation>Le mode n’a pas été changé&#xa0;: %1</translation>
    </message>
    <message>
        <source> refused: </source>
        <translation> refusé&#xa0;: </translation>
    </message>
    <message>
        <source>Exported %1 lines, the exempt rows and the tax and fee summary to the event log</source>
        <translation>%1 lignes, les lignes exonérées et le sommaire des taxes et des frais exportés dans le journal des événements</translation>
    </message>
    <message>
        <source>The export is incomplete: see the event log</source>
        <translation>L’exportation est incomplète&#xa0;: voyez le journal des événements</translation>
    </message>
    <message>
        <source>Could not write %1: %2</source>
        <translation>Impossible d’écrire %1&#xa0;: %2</translation>
    </message>
    <message>
        <source>Saved %1 lines to %2</source>
        <translation>%1 lignes enregistrées dans %2</translation>
    </message>
    <message>
        <source>Saved the lines to </source>
        <translation>Lignes enregistrées dans </translation>
    </message>
    <message>
        <source>The lines were not saved: %1</source>
        <translation>Les lignes n’ont pas été enregistrées&#xa0;: %1</translation>
    </message>
    <message>
        <source>Carrier %1: a host shows the carrier&apos;s details here</source>
        <translation>Transporteur %1&#xa0;: un hôte afficherait ici les détails du transporteur</translation>
    </message>
</context>
</TS>
