SELECT tab_jednotka.ID_JEDNOTKA, tab_jednotka.STATE_VYCHOZI, tab_jednotka.JEDNOTKA,
  tab_jednotka.SPECIFIKACE, tab_jednotka.MINIMUM, tab_jednotka.NASOBNE
FROM tab_jednotka
ORDER BY %ORDER_BY
