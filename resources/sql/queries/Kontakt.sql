SELECT tab_kontakt.ID_KONTAKT, tab_kontakt.STATE_DODAVATEL, tab_kontakt.STATE_ODBERATEL,
  tab_kontakt.KONTAKT, tab_kontakt.IC, tab_kontakt.DIC, tab_kontakt.ADRESA, tab_kontakt.TELEFON,
  tab_kontakt.MOBIL, tab_kontakt.EMAIL, tab_kontakt.WWW, tab_kontakt.OSOBA, tab_kontakt.POZNAMKA
FROM tab_kontakt
ORDER BY %ORDER_BY
