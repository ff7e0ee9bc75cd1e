-- The VAT rates of the document's lines in the order of the rates: each
-- rate's base, VAT and total as the document prints them.
SELECT tab_doklad.ID_DOKLAD, sazba.ID_DPH, sazba.DPH,
  CAST(sazba.PRODEJ_CELKEM - sazba.DPH_CASTKA AS numeric(19,4)) AS ZAKLAD,
  CAST(sazba.DPH_CASTKA AS numeric(19,4)) AS DPH_CASTKA,
  CAST(sazba.PRODEJ_CELKEM AS numeric(19,4)) AS PRODEJ_CELKEM
FROM tab_doklad
  CROSS JOIN LATERAL (
--#include DokladSazby.sql
  ) sazba
WHERE tab_doklad.ID_DOKLAD = :ID_DOKLAD
ORDER BY sazba.DPH, sazba.ID_DPH
