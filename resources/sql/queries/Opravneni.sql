SELECT tab_uzivatel_opravneni.ID_UZIVATEL, tab_uzivatel_opravneni.ID_OPRAVNENI,
  tab_uzivatel_opravneni.STATE_OPRAVNENI, tab_opravneni.POPIS
FROM tab_uzivatel_opravneni
  JOIN tab_opravneni ON tab_opravneni.ID_OPRAVNENI = tab_uzivatel_opravneni.ID_OPRAVNENI
WHERE tab_uzivatel_opravneni.ID_UZIVATEL = :ID_UZIVATEL
ORDER BY %ORDER_BY
