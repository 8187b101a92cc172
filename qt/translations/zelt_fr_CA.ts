<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_CA" sourcelanguage="en_US">
<context>
    <name>FindBar</name>
    <message>
        <source>Description, model, acknowledgement or line number</source>
        <translation>Description, modèle, numéro d’accusé de réception ou de ligne</translation>
    </message>
    <message>
        <source>&amp;Find:</source>
        <translation>&amp;Rechercher&#xa0;:</translation>
    </message>
    <message>
        <source>Previous (Shift+F3)</source>
        <translation>Précédente (Maj+F3)</translation>
    </message>
    <message>
        <source>Next (F3)</source>
        <translation>Suivante (F3)</translation>
    </message>
    <message>
        <source>Close (Esc)</source>
        <translation>Fermer (Échap)</translation>
    </message>
    <message>
        <source>No line holds this</source>
        <translation>Aucune ligne ne contient ce texte</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 sur %2</translation>
    </message>
    <message>
        <source>(went round the order)</source>
        <translation>(a fait le tour de la commande)</translation>
    </message>
    <message>
        <source>counting...</source>
        <translation>décompte en cours...</translation>
    </message>
</context>
<context>
    <name>OrderedItemsWidget</name>
    <message>
        <source>That did not work: %1</source>
        <translation>Cela n’a pas fonctionné&#xa0;: %1</translation>
    </message>
    <message>
        <source>Lines are not added in this mode</source>
        <translation>On n’ajoute pas de lignes dans ce mode</translation>
    </message>
    <message>
        <source>Alt+E, Enter or a double click on the grid</source>
        <translation>Alt+E, Entrée ou un double-clic dans la grille</translation>
    </message>
    <message>
        <source>Click a line in the grid first</source>
        <translation>Cliquez d’abord sur une ligne de la grille</translation>
    </message>
    <message>
        <source>Alt+D or Delete on the grid</source>
        <translation>Alt+D ou Suppr dans la grille</translation>
    </message>
    <message>
        <source>Lines are deleted in Add mode</source>
        <translation>Les lignes se suppriment en mode Ajout</translation>
    </message>
    <message>
        <source>Click the line to cancel in the grid first</source>
        <translation>Cliquez d’abord sur la ligne à annuler dans la grille</translation>
    </message>
    <message>
        <source>Taxes cannot be calculated now for this order</source>
        <translation>Les taxes de cette commande ne peuvent pas être calculées pour l’instant</translation>
    </message>
    <message>
        <source>Carrier Details</source>
        <translation>Détails du transporteur</translation>
    </message>
    <message>
        <source>Select a line or a carrier to see the carrier&apos;s details</source>
        <translation>Choisissez une ligne ou un transporteur pour voir les détails du transporteur</translation>
    </message>
    <message>
        <source>Calculate Taxes &amp; Fees to update</source>
        <translation>Cliquez sur «&#xa0;Calculate Taxes &amp; Fees&#xa0;» pour mettre à jour</translation>
    </message>
    <message>
        <source>Find...</source>
        <translation>Rechercher...</translation>
    </message>
    <message>
        <source>Fees</source>
        <translation>Frais</translation>
    </message>
    <message>
        <source>Totals</source>
        <translation>Totaux</translation>
    </message>
    <message>
        <source>Price currency</source>
        <translation>Devise des prix</translation>
    </message>
    <message>
        <source>Line entry</source>
        <translation>Saisie de ligne</translation>
    </message>
</context>
<context>
    <name>WindowServiceActivity</name>
    <message>
        <source>A web service failed: %1</source>
        <translation>Un service Web a échoué&#xa0;: %1</translation>
    </message>
    <message>
        <source>Asking AvaTax for the taxes...</source>
        <translation>Demande des taxes à AvaTax...</translation>
    </message>
    <message>
        <source>Asking the tax service...</source>
        <translation>Interrogation du service de taxes...</translation>
    </message>
    <message>
        <source>Asking the web service...</source>
        <translation>Interrogation du service Web...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Web service</source>
        <translation>Service Web</translation>
    </message>
    <message numerus="yes">
        <source>%n second(s)</source>
        <translation>
            <numerusform>%n seconde</numerusform>
            <numerusform>%n secondes</numerusform>
        </translation>
    </message>
    <message>
        <source>Cancelling...</source>
        <translation>Annulation en cours...</translation>
    </message>
</context>
</TS>
