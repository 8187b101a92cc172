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
        <translation>C&amp;ommande</translation>
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
        <translation>E&amp;xporter</translation>
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
        <translation>Annulation de &amp;ligne</translation>
    </message>
    <message>
        <source>Save them before closing?</source>
        <translation>Les enregistrer avant de fermer&#xa0;?</translation>
    </message>
    <message>
        <source>Line cancel mode: the lines are as they were; the fees and taxes are kept for the other modes</source>
        <translation>Mode Annulation de ligne&#xa0;: les lignes sont restées telles quelles; les frais et les taxes sont gardés pour les autres modes</translation>
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
    <message>
        <source>&amp;Open...</source>
        <translation>&amp;Ouvrir...</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Enregistrer</translation>
    </message>
    <message>
        <source>&amp;Record session...</source>
        <translation>En&amp;registrer la session...</translation>
    </message>
    <message>
        <source>Record session</source>
        <translation>Enregistrer la session</translation>
    </message>
    <message>
        <source>Session scripts (*.zss)</source>
        <translation>Scripts de session (*.zss)</translation>
    </message>
    <message>
        <source>A recording starts from the sample order opened afresh. Open it and lose them?</source>
        <translation>Un enregistrement part de la commande type rouverte. La rouvrir et les perdre?</translation>
    </message>
    <message>
        <source>Could not write %1</source>
        <translation>Impossible d’écrire %1</translation>
    </message>
    <message>
        <source>Stop &amp;recording</source>
        <translation>Arrêter l’en&amp;registrement</translation>
    </message>
    <message>
        <source>Recording the session to </source>
        <translation>Enregistrement de la session dans </translation>
    </message>
    <message>
        <source>Recording the session to %1: Order &gt; Stop recording ends it</source>
        <translation>Enregistrement de la session dans %1&#xa0;: Commande &gt; Arrêter l’enregistrement y met fin</translation>
    </message>
    <message>
        <source>Recording stopped</source>
        <translation>Enregistrement arrêté</translation>
    </message>
    <message>
        <source>Order store: %1 (%2 orders)</source>
        <translation>Magasin de commandes&#xa0;: %1 (%2 commandes)</translation>
    </message>
    <message>
        <source>Sample order</source>
        <translation>Commande type</translation>
    </message>
    <message>
        <source>The store holds no order with %1 numbers: the sample order is on screen</source>
        <translation>Le magasin ne contient aucune commande aux nombres %1&#xa0;: la commande type est à l’écran</translation>
    </message>
    <message>
        <source>No order store: </source>
        <translation>Aucun magasin de commandes&#xa0;: </translation>
    </message>
    <message>
        <source>No order store: orders cannot be saved or opened (%1)</source>
        <translation>Aucun magasin de commandes&#xa0;: impossible d’enregistrer ou d’ouvrir des commandes (%1)</translation>
    </message>
    <message>
        <source>Opened &quot;%1&quot; from the order store</source>
        <translation>Commande «&#xa0;%1&#xa0;» ouverte depuis le magasin de commandes</translation>
    </message>
    <message>
        <source>Opened &quot;%1&quot;</source>
        <translation>Commande «&#xa0;%1&#xa0;» ouverte</translation>
    </message>
    <message>
        <source>Order not opened: </source>
        <translation>Commande non ouverte&#xa0;: </translation>
    </message>
    <message>
        <source>The order was not opened: %1</source>
        <translation>La commande n’a pas été ouverte&#xa0;: %1</translation>
    </message>
    <message>
        <source>Saved &quot;%1&quot; in the order store</source>
        <translation>Commande «&#xa0;%1&#xa0;» enregistrée dans le magasin de commandes</translation>
    </message>
    <message>
        <source>Saved &quot;%1&quot;</source>
        <translation>Commande «&#xa0;%1&#xa0;» enregistrée</translation>
    </message>
    <message>
        <source>Order not saved: </source>
        <translation>Commande non enregistrée&#xa0;: </translation>
    </message>
    <message>
        <source>The order was not saved: %1</source>
        <translation>La commande n’a pas été enregistrée&#xa0;: %1</translation>
    </message>
    <message>
        <source>Open order</source>
        <translation>Ouvrir une commande</translation>
    </message>
    <message>
        <source>The orders cannot be listed: %1</source>
        <translation>Impossible d’afficher la liste des commandes&#xa0;: %1</translation>
    </message>
    <message>
        <source>Open the order and lose them?</source>
        <translation>Ouvrir la commande et les perdre?</translation>
    </message>
    <message>
        <source>Save order</source>
        <translation>Enregistrer la commande</translation>
    </message>
    <message>
        <source>Name of the order:</source>
        <translation>Nom de la commande&#xa0;:</translation>
    </message>
    <message>
        <source>The order was not saved: %1
It stays open with your changes.</source>
        <translation>La commande n’a pas été enregistrée&#xa0;: %1
Elle reste ouverte avec vos modifications.</translation>
    </message>
</context>
<context>
    <name>OpenOrderDialog</name>
    <message>
        <source>Open order</source>
        <translation>Ouvrir une commande</translation>
    </message>
    <message>
        <source>Order</source>
        <translation>Commande</translation>
    </message>
    <message>
        <source>Saved</source>
        <translation>Enregistrée le</translation>
    </message>
    <message>
        <source>Numbers</source>
        <translation>Nombres</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Order store</source>
        <translation>Magasin de commandes</translation>
    </message>
    <message>
        <source>The order store cannot be used: %1

The sample order is on screen; Open and Save are not available.</source>
        <translation>Le magasin de commandes est inutilisable&#xa0;: %1

La commande type est à l’écran; Ouvrir et Enregistrer ne sont pas offerts.</translation>
    </message>
</context>
</TS>
